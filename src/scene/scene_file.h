// Object files of the scene language: the shared line reader, the
// classification of top-level lines into object kinds, the block scheme every
// kind's parser follows (skip to "begin", test each line up to "end" against
// the kind's keyword table), the per-file parser state and LoadObjectFile.
//
// A new object kind registers by filling the parser column of its row in
// kObjectKinds (scene_file.cpp) with a function of type ObjectParser; the
// rows are already there, in the order ClassifyLine tests them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "archive/archive_file.h"
#include "scene/scene_object.h"
#include "scene/scene_values.h"

// Member names are at most 99 characters (ArchiveFile::memberName).
constexpr size_t kMemberNameSize = 100;

enum class ObjectKind : uint8_t {
  kNone = 0,            // any other line: skipped
  kSphere = 1,          // "sphere"
  kBillboard = 2,       // "billboard"
  kFlare = 3,           // "flare"
  kFlame = 4,           // "flame"
  kMesh = 5,            // "mesh"
  kParticleSystem = 6,  // "ps"
  kGeometry = 7,        // "geometry": loads the custom geometry slot
  kDirectory = 8,       // "dir": skipped
  kEndWorld = 255,      // "ENDWORLD": end of the object file
};

// The kind of a top-level line; keywords are tested in the order sphere,
// billboard, flare, mesh, flame, ps, ENDWORLD, geometry, dir, each by prefix.
ObjectKind ClassifyLine(const char* line);

// State shared by the Sphere blocks of one object file, reset at its start.
struct ParseState {
  float flashCounter = 0.0f;      // seconds; staggers the phases of `flash` spheres
  bool lastAlphaTexture = false;  // alphaTexture of the last sphere `texture` line
  float moonFactor = 1.0f;        // next `moon` sphere gets speed 2 * moonFactor
};
extern ParseState parseState;

// The clock that orbits, moons and wire-sphere scans follow, in seconds. It
// is set to 0 at load and before the first frame; nothing advances it, so
// orbits and moons stand at their phase angles.
extern float sceneClock;

// Reads one text member line by line for the loaders and reports, with the
// member name and line number, the lines they skip.
class SceneReader {
 public:
  explicit SceneReader(ParseReport* report) : report(report) {}

  // Opens the member; false (and reported) when it is not in the archive.
  bool Open(const char* member);
  // Reads the next line into line. Returns false, with line empty, once the
  // member is exhausted: the end of the member ends every block and file.
  bool Next();
  // Adds message for the current line to the report, if there is one.
  void Report(const std::string& message, const SceneObject* object = nullptr);

  char line[kLineCapacity] = {};
  int lineNumber = 0;  // 1-based number of the line in line
  ParseReport* const report;

 private:
  ArchiveFile file;
};

// Where a block is parsed: the reader standing on its current line and the
// list being loaded, in which `parent` names are looked up.
struct BlockContext {
  SceneReader& reader;
  ObjectList& list;
};

// One row of a kind's keyword table: the line prefix and what a line that
// begins with it does. apply returns false when the line's values did not
// read (the fields then keep their values).
template <class Kind>
struct KeywordRule {
  const char* keyword;  // compared by prefix of its own length
  bool (*apply)(Kind& object, BlockContext& block);
};

// A keyword without values that sets one flag of the object.
template <class Kind, bool Kind::*Flag>
bool SetFlag(Kind& object, BlockContext&) {
  object.*Flag = true;
  return true;
}

// Reads the numbers of pattern from the current line into fields, in
// order, scanf-style: the values read before the first that fails are
// stored, the fields after it keep theirs. Returns how many were stored.
int ScanFields(const BlockContext& block, const char* pattern, float* const* fields, int count);

// The one number or the vector of the current line read with pattern (e.g.
// "radius %f", "position V(%f %f %f)"), stored as ScanFields does (a vector
// line that breaks off after x sets x alone); true when all were read.
bool ScanNumber(const BlockContext& block, const char* pattern, float* out);
bool ScanVector(const BlockContext& block, const char* pattern, Vector3* out);

// A texture line read with pattern ("texture %s", "\tmap1 %s"): SetTexture
// and hasTexture = true; a name the texture list does not hold is reported.
bool ApplyTextureLine(SceneObject& object, BlockContext& block, const char* pattern);
// parent = the first object of the list being loaded named parentName; a
// name that matches nothing leaves the object without a parent (reported).
void ResolveParent(SceneObject& object, BlockContext& block, const char* parentName);

// Reads lines until one begins with "begin"; false when the member ends first.
bool FindBlockBegin(SceneReader& reader);

// Reports a line of a block that no keyword of the kind recognised.
void ReportUnrecognisedLine(SceneReader& reader, const SceneObject* object);

// Reads the lines of a block up to and including its "end" line (or the end
// of the member), applying every rule whose keyword begins each line, in
// table order; a later line overrides an earlier one.
template <class Kind, size_t N>
void ParseBlockLines(Kind& object, const KeywordRule<Kind> (&rules)[N], BlockContext& block) {
  SceneReader& reader = block.reader;
  while (!MatchKeyword(reader.line, "end")) {
    if (!reader.Next()) {
      reader.Report("block ends at the end of the file without \"end\"", &object);
      return;
    }
    bool matched = false;
    for (const KeywordRule<Kind>& rule : rules) {
      if (!MatchKeyword(reader.line, rule.keyword)) continue;
      matched = true;
      if (!rule.apply(object, block)) reader.Report("values not readable: \"" + std::string(reader.line) + "\"", &object);
    }
    if (!matched && !MatchKeyword(reader.line, "end")) ReportUnrecognisedLine(reader, &object);
  }
}

// What a kind does with its "begin" line (Sphere and Mesh take a name).
// Written so that the kind is deduced from the object alone and null fits.
template <class Kind>
struct BeginHandler {
  using Type = void (*)(Kind& object, const char* line);
};

// The block scheme of every kind: finds "begin" (onBegin, if given, reads
// that line), parses the block lines and appends the object to the list.
template <class Kind, size_t N>
void ParseObjectBlock(std::unique_ptr<Kind> object, const KeywordRule<Kind> (&rules)[N],
                      BlockContext& block, typename BeginHandler<Kind>::Type onBegin = nullptr) {
  if (FindBlockBegin(block.reader)) {
    if (onBegin != nullptr) onBegin(*object, block.reader.line);
    ParseBlockLines(*object, rules, block);
  } else {
    block.reader.Report("block ends at the end of the file without \"begin\"", object.get());
  }
  block.list.Append(std::move(object));
}

// A kind's parser: called with the reader on the kind's line; consumes the
// block up to its "end" and appends one object to list.
using ObjectParser = void (*)(SceneReader& reader, ObjectList& list);

// Reads one object file and appends every object it describes to list; one
// loading step (PlatformLoadingProgress) per object block and geometry line.
// A `geometry` line loads the custom geometry slot.
void LoadObjectFile(const char* member, ObjectList& list, ParseReport* report = nullptr);
