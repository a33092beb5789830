#include "core/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <utility>

static_assert(std::atomic<bool>::is_always_lock_free, "the temporary file's flag is read in a signal handler");

namespace tamso {

namespace {

// The temporary file of the replacement under way. One replacement runs at a time, so a
// signal handler finds its name here without taking a lock.
constexpr std::size_t maxTemporaryName = 4096;
char temporaryName[maxTemporaryName];
std::atomic<bool> temporaryPending{false};
std::mutex replacing;
// The process is ending on a signal: no temporary file may be made any more.
std::atomic<bool> closing{false};
// The thread that is making a temporary file (writing its name and creating it), else 0.
std::atomic<pid_t> makingThread{0};
static_assert(std::atomic<pid_t>::is_always_lock_free, "the making thread is read in a signal handler");

// Holds the temporary name from before the file is made until it is renamed or removed.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string pattern) : lock_(replacing), pattern_(std::move(pattern)) {}
  ~TemporaryFile() { temporaryPending.store(false); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Makes the file; its descriptor, or -1 with errno set. While the name is written and the
  // file made, a signal handler on another thread waits (removeUnfinishedReplacement), so it
  // never reads half a name and never misses a file made as the process ends.
  int create() {
    makingThread.store(::gettid());
    if (closing.load()) {
      makingThread.store(0);
      errno = EINTR;
      return -1;
    }
    std::memcpy(temporaryName, pattern_.c_str(), pattern_.size() + 1);
    temporaryPending.store(true);
    const int fd = ::mkstemp(temporaryName);
    temporaryPending.store(true);  // publishes the name mkstemp wrote
    makingThread.store(0);
    return fd;
  }
  const char* name() const { return temporaryName; }

 private:
  std::lock_guard<std::mutex> lock_;
  std::string pattern_;
};

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
  if (pattern.size() >= maxTemporaryName) return failure(path, ENAMETOOLONG);
  TemporaryFile temporary(pattern);
  const int fd = temporary.create();
  if (fd < 0) return failure(path, errno);
  giveUsualPermissions(fd);
  const bool written = writeAll(fd, contents) && ::fsync(fd) == 0;
  const int writeError = errno;
  const bool closed = ::close(fd) == 0;
  const int closeError = errno;
  if (!written || !closed) {
    ::unlink(temporary.name());
    return failure(path, !written ? writeError : closeError);
  }
  if (::rename(temporary.name(), path.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temporary.name());
    return failure(path, renameError);
  }
  return std::nullopt;
}

void removeUnfinishedReplacement() {
  closing.store(true);
  // A file being made on another thread is waited for, so that it is removed too; not when
  // this handler interrupted the thread making it, which cannot go on.
  const pid_t self = ::gettid();
  constexpr long longestWait = 100'000'000;  // spins; making a file takes far fewer
  for (long spin = 0; spin < longestWait; ++spin) {
    const pid_t making = makingThread.load();
    if (making == 0 || making == self) break;
  }
  if (temporaryPending.load()) ::unlink(temporaryName);
}

}  // namespace tamso
