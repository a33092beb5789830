#pragma once
// A trace file of the optimisers ("population.dump", "ordd.dump"): deleted before it is
// recreated, opened for appending, buffered, and complete only once closed. A file that
// cannot be created or written never stops a run; its owner asks afterwards whether the
// trace is whole and tells the user which file failed.
#include <fstream>
#include <string>

namespace tamso {

class TraceFile {
 public:
  TraceFile() = default;
  // Deletes any file at the path (a missing file is fine) and opens a new one for appending.
  explicit TraceFile(const std::string& path) { open(path); }
  ~TraceFile() { close(); }
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  // Closes the file held so far, then deletes and reopens at the new path.
  void open(const std::string& path);
  // The stream to write to; writes to a file that could not be opened are dropped.
  std::ostream& out() { return stream_; }
  // Pushes the buffered text out; false once anything written so far was lost.
  bool flush();
  // Flushes and closes; false when the file could not be created or written whole.
  bool close();

  const std::string& path() const { return path_; }
  bool failed() const { return failed_; }
  // The message that names the file for the user.
  std::string failureMessage() const;

 private:
  std::string path_;
  std::ofstream stream_;
  bool failed_ = false;
};

}  // namespace tamso
