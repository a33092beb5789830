#include "problem/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ios>

namespace tamso {

// The open file's bytes through a fixed buffer; a failed read is reported by an exception,
// which the stream turns into its badbit.
class InputFile::Buffer : public std::streambuf {
 public:
  explicit Buffer(int fd) : fd_(fd) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    ssize_t got = 0;
    do {
      got = ::read(fd_, data_, sizeof data_);
    } while (got < 0 && errno == EINTR);
    if (got < 0) throw std::ios_base::failure(std::strerror(errno));
    if (got == 0) return traits_type::eof();
    setg(data_, data_, data_ + got);
    return traits_type::to_int_type(*gptr());
  }

 private:
  int fd_;
  char data_[1 << 16];
};

InputFile::InputFile() = default;

InputFile::~InputFile() {
  stream_.reset();
  buffer_.reset();
  if (fd_ >= 0) ::close(fd_);
}

bool InputFile::open(const std::string& path) {
  // O_NONBLOCK keeps the open of a FIFO without a writer from waiting; the file is then
  // refused by its type before anything is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    failure_ = std::strerror(errno);
    return false;
  }
  struct stat facts {};
  if (::fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode)) {
    failure_ = S_ISDIR(facts.st_mode) ? std::strerror(EISDIR) : "not a regular file";
    ::close(fd);
    return false;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  fd_ = fd;
  size_ = facts.st_size;
  buffer_ = std::make_unique<Buffer>(fd_);
  stream_ = std::make_unique<std::istream>(buffer_.get());
  return true;
}

LineStatus readBoundedLine(std::istream& in, std::string& line, std::size_t maxLength, bool& hadNewline) {
  line.clear();
  hadNewline = false;
  if (!in.good()) return in.bad() ? LineStatus::Error : LineStatus::End;
  std::streambuf* bytes = in.rdbuf();
  try {
    for (;;) {
      const int c = bytes->sbumpc();
      if (c == std::char_traits<char>::eof()) {
        in.setstate(std::ios::eofbit);
        return line.empty() ? LineStatus::End : LineStatus::Line;
      }
      if (c == '\n') {
        hadNewline = true;
        return LineStatus::Line;
      }
      if (line.size() >= maxLength) return LineStatus::TooLong;
      line.push_back(static_cast<char>(c));
    }
  } catch (const std::exception&) {
    in.setstate(std::ios::badbit);
    return LineStatus::Error;
  }
}

void skipByteOrderMark(std::string& firstLine) {
  if (firstLine.compare(0, 3, "\xEF\xBB\xBF") == 0) firstLine.erase(0, 3);
}

}  // namespace tamso
