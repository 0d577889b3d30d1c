// The object-file loader: line reader, classification of top-level lines,
// the kind table with each kind's parser, and the top-level loop.
#include "scene/scene_file.h"

#include "platform/platform.h"
#include "scene/billboard.h"
#include "scene/flame.h"
#include "scene/flare.h"
#include "scene/geometry.h"
#include "scene/mesh.h"
#include "scene/particle_system.h"
#include "scene/sphere.h"

ParseState parseState;
float sceneClock = 0.0f;

namespace {

struct ObjectKindRow {
  const char* keyword;  // compared by prefix of its own length
  ObjectKind kind;
  ObjectParser parse;   // kinds 1 to 6; null: no parser in this build (block skipped)
};

// In the order ClassifyLine tests them; the first match decides.
const ObjectKindRow kObjectKinds[] = {
    {"sphere", ObjectKind::kSphere, ParseSphere},
    {"billboard", ObjectKind::kBillboard, ParseBillboard},
    {"flare", ObjectKind::kFlare, ParseFlare},
    {"mesh", ObjectKind::kMesh, ParseMesh},
    {"flame", ObjectKind::kFlame, ParseFlame},
    {"ps", ObjectKind::kParticleSystem, ParseParticleSystem},
    {"ENDWORLD", ObjectKind::kEndWorld, nullptr},
    {"geometry", ObjectKind::kGeometry, nullptr},
    {"dir", ObjectKind::kDirectory, nullptr},
};

const ObjectKindRow* FindKindRow(ObjectKind kind) {
  for (const ObjectKindRow& row : kObjectKinds)
    if (row.kind == kind) return &row;
  return nullptr;
}

// A block of a kind this build has no parser for: consumed up to its "end".
void SkipBlock(SceneReader& reader) {
  reader.Report("no parser for this object kind; block skipped");
  while (!MatchKeyword(reader.line, "end"))
    if (!reader.Next()) return;
}

void LoadCustomGeometry(SceneReader& reader) {
  char member[kMemberNameSize] = {};
  if (ScanValues(reader.line, "geometry %s", nullptr, 0, member, sizeof member) != 1) {
    reader.Report("geometry line without a file name");
    return;
  }
  const char* failure = nullptr;
  if (!LoadGeometry(GeometrySlot::kCustom, member, false, &failure))
    reader.Report(std::string("geometry not loaded: ") + member + " (" + failure + ")");
}

// One top-level line of kind 1 to 7: the block or geometry line, then one
// loading step.
void LoadTopLevelItem(ObjectKind kind, SceneReader& reader, ObjectList& list) {
  if (kind == ObjectKind::kGeometry) {
    LoadCustomGeometry(reader);
  } else {
    ObjectParser parse = FindKindRow(kind)->parse;
    if (parse != nullptr)
      parse(reader, list);
    else
      SkipBlock(reader);
  }
  PlatformLoadingProgress();
}

}  // namespace

ObjectKind ClassifyLine(const char* line) {
  for (const ObjectKindRow& row : kObjectKinds)
    if (MatchKeyword(line, row.keyword)) return row.kind;
  return ObjectKind::kNone;
}

bool SceneReader::Open(const char* member) {
  lineNumber = 0;
  line[0] = '\0';
  if (file.OpenMember(member)) return true;
  if (report != nullptr) report->Add(member, 0, "file not found in the archive");
  return false;
}

bool SceneReader::Next() {
  if (file.AtEnd()) {
    line[0] = '\0';
    return false;
  }
  file.ReadLine(line, kLineCapacity);
  ++lineNumber;
  return true;
}

void SceneReader::Report(const std::string& message, const SceneObject* object) {
  if (report != nullptr) report->Add(file.memberName, lineNumber, message, object);
}

int ScanFields(const BlockContext& block, const char* pattern, float* const* fields, int count) {
  constexpr int kMostFields = 8;
  float values[kMostFields];
  if (count > kMostFields) count = kMostFields;
  int read = ScanValues(block.reader.line, pattern, values, count);
  for (int i = 0; i < read; ++i) *fields[i] = values[i];
  return read;
}

bool ScanNumber(const BlockContext& block, const char* pattern, float* out) {
  return ScanFields(block, pattern, &out, 1) == 1;
}

bool ScanVector(const BlockContext& block, const char* pattern, Vector3* out) {
  float* const fields[] = {&out->x, &out->y, &out->z};
  return ScanFields(block, pattern, fields, 3) == 3;
}

bool ApplyTextureLine(SceneObject& object, BlockContext& block, const char* pattern) {
  char textureName[kLineCapacity];
  if (ScanValues(block.reader.line, pattern, nullptr, 0, textureName, sizeof textureName) != 1)
    return false;
  if (!object.SetTexture(textureName))
    block.reader.Report(std::string("texture not in the texture list: ") + textureName, &object);
  object.hasTexture = true;
  return true;
}

void ResolveParent(SceneObject& object, BlockContext& block, const char* parentName) {
  object.parent = FindObject(block.list, parentName);
  if (object.parent == nullptr)
    block.reader.Report(std::string("parent not found earlier in this file: ") + parentName, &object);
}

bool FindBlockBegin(SceneReader& reader) {
  while (reader.Next()) {
    if (MatchKeyword(reader.line, "begin")) return true;
    ReportUnrecognisedLine(reader, nullptr);
  }
  return false;
}

void ReportUnrecognisedLine(SceneReader& reader, const SceneObject* object) {
  if (reader.line[0] == '\0') return;
  const char* what = MatchKeyword(reader.line, "//") ? "disabled line \"" : "unrecognised line \"";
  reader.Report(what + std::string(reader.line) + "\"", object);
}

void LoadObjectFile(const char* member, ObjectList& list, ParseReport* report) {
  parseState = ParseState{};
  SceneReader reader(report);
  if (!reader.Open(member)) return;
  while (reader.Next()) {
    ObjectKind kind = ClassifyLine(reader.line);
    if (kind == ObjectKind::kEndWorld) return;
    if (kind == ObjectKind::kNone || kind == ObjectKind::kDirectory) {
      if (kind == ObjectKind::kNone) ReportUnrecognisedLine(reader, nullptr);
      continue;
    }
    LoadTopLevelItem(kind, reader, list);
  }
  reader.Report("file ends without ENDWORLD");
}
