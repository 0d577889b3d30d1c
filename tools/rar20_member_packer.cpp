// The RAR 2.0 packer as a MemberPacker of the archive writer.
#include "rar20_member_packer.h"

#include <cstring>

namespace {

constexpr uint8_t kMethodNormal = 0x33;         // RAR's "normal" compression; any of 0x31..0x35 unpacks alike
constexpr uint8_t kUnpackVersion = 20;
constexpr uint16_t kDictionary1MiB = 0x80;      // file flags bits 5..7: dictionary of 64 KiB << 4
constexpr uint16_t kSolidMember = 0x10;

class Rar20MemberPacker : public MemberPacker {
 public:
  explicit Rar20MemberPacker(const Rar20PackOptions& options)
      : solid(options.solid), packer(options.solid, options.multimedia) {}

  bool SolidArchive() const override { return solid; }

  bool Pack(const std::vector<uint8_t>& content, PackedMember* out, std::string*) override {
    *out = PackedMember{};
    bool continuesSolid = false;
    if (!packer.PackMember(content.data(), uint32_t(content.size()), &out->bytes, &continuesSolid)) {
      out->bytes = content;  // stored
      return true;
    }
    out->method = kMethodNormal;
    out->unpackVersion = kUnpackVersion;
    out->fileFlags = kDictionary1MiB | (continuesSolid ? kSolidMember : 0);
    return true;
  }

 private:
  bool solid;
  Rar20Packer packer;
};

}  // namespace

bool ParseRar20Options(int argc, char** argv, int* index, Rar20PackOptions* options, std::string* error) {
  while (*index < argc) {
    const char* arg = argv[*index];
    if (std::strcmp(arg, "--solid") == 0) {
      options->solid = true;
      ++*index;
    } else if (std::strcmp(arg, "--multimedia") == 0 && *index + 1 < argc) {
      const char* value = argv[*index + 1];
      if (std::strcmp(value, "auto") == 0) {
        options->multimedia = MultimediaChoice::Auto;
      } else if (std::strcmp(value, "off") == 0) {
        options->multimedia = MultimediaChoice::Off;
      } else {
        *error = std::string("--multimedia takes auto or off, not ") + value;
        return false;
      }
      *index += 2;
    } else {
      return true;
    }
  }
  return true;
}

std::unique_ptr<MemberPacker> MakeRar20MemberPacker(const Rar20PackOptions& options) {
  return std::unique_ptr<MemberPacker>(new Rar20MemberPacker(options));
}
