#include "core/trace_file.h"

#include <cstdio>

namespace tamso {

void TraceFile::open(const std::string& path) {
  close();
  path_ = path;
  failed_ = false;
  std::remove(path.c_str());
  stream_.clear();
  stream_.open(path, std::ios::out | std::ios::app);
  if (!stream_.is_open()) failed_ = true;
}

bool TraceFile::flush() {
  if (stream_.is_open()) {
    stream_.flush();
    if (!stream_.good()) failed_ = true;
  }
  return !failed_;
}

bool TraceFile::close() {
  if (stream_.is_open()) {
    flush();
    stream_.close();
    if (stream_.fail()) failed_ = true;
  }
  return !failed_;
}

std::string TraceFile::failureMessage() const { return "Can't write dump file '" + path_ + "'"; }

}  // namespace tamso
