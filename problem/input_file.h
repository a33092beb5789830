#pragma once
// Reading the files a user or a stranger hands us: only regular files are opened (a FIFO,
// device or folder is refused at once, never waited on), lines are read in bounded memory,
// and a UTF-8 byte-order mark at the start of a file is skipped.
#include <cstdint>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>

namespace tamso {

class InputFile {
 public:
  InputFile();
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Opens `path` for reading when it is a regular file; false otherwise, with failure()
  // telling why in the system's words ("No such file or directory", "not a regular file").
  bool open(const std::string& path);
  bool isOpen() const { return fd_ >= 0; }
  const std::string& failure() const { return failure_; }
  // Size of the open file in bytes.
  std::int64_t size() const { return size_; }
  // The file's bytes as a stream; a read error sets its badbit.
  std::istream& stream() { return *stream_; }

 private:
  class Buffer;
  int fd_ = -1;
  std::int64_t size_ = 0;
  std::string failure_;
  std::unique_ptr<Buffer> buffer_;
  std::unique_ptr<std::istream> stream_;
};

enum class LineStatus {
  Line,     // a line was read (its newline removed)
  End,      // end of file, nothing read
  TooLong,  // the line has more than the allowed characters; the stream stays where it stopped
  Error,    // a read error
};

// Reads one physical line of at most `maxLength` characters (its newline not counted),
// never holding more than that in memory. A last line without newline is a line too;
// `hadNewline` tells which.
LineStatus readBoundedLine(std::istream& in, std::string& line, std::size_t maxLength, bool& hadNewline);

// Removes a UTF-8 byte-order mark from the start of the first line of a file.
void skipByteOrderMark(std::string& firstLine);

}  // namespace tamso
