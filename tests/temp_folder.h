#pragma once
// A fresh folder of the test's own under the system's temporary folder, with a name no other
// test or process can hold at the same time; it is removed with everything in it at the end.
#include <stdlib.h>  // mkdtemp

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tamso::testing {

class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "tamso") {
    std::string pattern = (std::filesystem::temp_directory_path() / prefix).string();
    pattern += "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + pattern);
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace tamso::testing
