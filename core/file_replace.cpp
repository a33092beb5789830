#include "core/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace tamso {

namespace {

std::string failure(const std::string& path, int error) {
  return "Cannot write the file " + path + ": " + std::strerror(error);
}

bool writeAll(int fd, const std::string& contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// New files get the usual permissions (0666 less the umask), not mkstemp's 0600.
void giveUsualPermissions(int fd) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
}

// A device or pipe named as the target (/dev/stdout, a FIFO) cannot be replaced: it is
// written to in place.
std::optional<std::string> writeInPlace(const std::string& path, const std::string& contents) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return failure(path, errno);
  const bool written = writeAll(fd, contents);
  const int writeError = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) return failure(path, !written ? writeError : errno);
  return std::nullopt;
}

bool isSpecialFile(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}

}  // namespace

std::optional<std::string> replaceFile(const std::string& path, const std::string& contents) {
  const std::filesystem::path target(path);
  if (target.filename().empty()) return failure(path, EISDIR);
  if (isSpecialFile(path)) return writeInPlace(path, contents);
  const std::filesystem::path folder = target.parent_path();
  // Appended piece by piece: GCC 12 at -O3 takes "." + name for an overlapping copy.
  std::string hidden = ".";
  hidden += target.filename().string();
  hidden += ".XXXXXX";
  const std::string pattern = (folder / hidden).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return failure(path, errno);
  giveUsualPermissions(fd);
  const bool written = writeAll(fd, contents) && ::fsync(fd) == 0;
  const int writeError = errno;
  const bool closed = ::close(fd) == 0;
  const int closeError = errno;
  if (!written || !closed) {
    ::unlink(name.data());
    return failure(path, !written ? writeError : closeError);
  }
  if (::rename(name.data(), path.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(name.data());
    return failure(path, renameError);
  }
  return std::nullopt;
}

}  // namespace tamso
