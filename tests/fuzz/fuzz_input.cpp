#include "tests/fuzz/fuzz_input.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace tamso::fuzz {

namespace fs = std::filesystem;

const std::string& scratchFolder() {
  // Never destroyed, so the removal at exit still knows the name.
  static const std::string* const folder = [] {
    std::string pattern = (fs::temp_directory_path() / "tamso-fuzz-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) std::abort();
    return new std::string(name.data());
  }();
  static const bool removedAtExit = [] {
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(*folder, ignored);
    });
    return true;
  }();
  (void)removedAtExit;
  return *folder;
}

std::string writeScratchFile(const std::string& name, const std::string& bytes) {
  const std::string path = (fs::path(scratchFolder()) / name).string();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

}  // namespace tamso::fuzz
