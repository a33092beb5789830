#include "problem/config_file.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <limits>

#include "problem/input_file.h"

namespace tamso {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

std::string trimmed(const std::string& s) {
  std::size_t first = 0;
  std::size_t last = s.size();
  while (first < last && isBlank(s[first])) ++first;
  while (last > first && isBlank(s[last - 1])) --last;
  return s.substr(first, last - first);
}

}  // namespace

bool ConfigFile::read(const std::string& path) {
  path_ = path;
  lineNumber_ = 0;
  failure_.clear();
  if (path.empty()) return read(std::cin);
  InputFile file;
  if (!file.open(path)) {
    failure_ = file.failure();
    return false;
  }
  return read(file.stream());
}

bool ConfigFile::read(std::istream& in) {
  section_.clear();
  std::string line;
  bool hadNewline = false;
  LineStatus status;
  // A line longer than the limit is refused anyway, so no more of it is ever held.
  while ((status = readBoundedLine(in, line, maxLineLength, hadNewline)) == LineStatus::Line) {
    ++lineNumber_;
    if (lineNumber_ == 1) skipByteOrderMark(line);
    // Files written with CR LF line ends read like plain newline files.
    if (hadNewline && !line.empty() && line.back() == '\r') line.pop_back();
    if (!parseLine(line, hadNewline)) return false;
  }
  if (status == LineStatus::TooLong) ++lineNumber_;
  return status == LineStatus::End;
}

bool ConfigFile::parseLine(const std::string& raw, bool hadNewline) {
  if (raw.size() + (hadNewline ? 1 : 0) >= maxLineLength) return false;
  if (!raw.empty() && raw[0] == '#') return true;
  const std::string line = trimmed(raw);
  if (line.empty()) return true;
  if (line[0] == '[') {
    const std::size_t close = line.find(']');
    if (close == std::string::npos) return false;
    section_ = line.substr(1, close - 1);
    return true;
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  if (keys_.size() >= maxEntries) return false;
  const std::string key = line.substr(0, equals);
  const std::string fullKey = section_.empty() ? key : section_ + "." + key;
  const auto earlier = std::find(keys_.begin(), keys_.end(), fullKey);
  if (earlier != keys_.end()) repeatedKeys_.push_back({fullKey, lines_[earlier - keys_.begin()], lineNumber_});
  keys_.push_back(fullKey);
  values_.push_back(line.substr(equals + 1));
  lines_.push_back(lineNumber_);
  return true;
}

std::optional<std::string> ConfigFile::lookup(const std::string& key, std::optional<std::string> defaultValue) const {
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i] == key) return values_[i];
  }
  return defaultValue;
}

bool ConfigFile::getInt(const std::string& key, std::int32_t defaultValue, std::int32_t& result) const {
  result = defaultValue;
  const auto value = lookup(key);
  if (!value) return true;
  const char* begin = value->c_str();
  char* end = nullptr;
  const long long parsed = std::strtoll(begin, &end, 10);
  if (end == begin) return false;
  constexpr long long low = std::numeric_limits<std::int32_t>::min();
  constexpr long long high = std::numeric_limits<std::int32_t>::max();
  result = static_cast<std::int32_t>(parsed < low ? low : (parsed > high ? high : parsed));
  return true;
}

bool ConfigFile::getReal(const std::string& key, double defaultValue, double& result) const {
  result = defaultValue;
  const auto value = lookup(key);
  if (!value) return true;
  const char* begin = value->c_str();
  char* end = nullptr;
  const double parsed = std::strtod(begin, &end);
  if (end == begin) return false;
  result = parsed;
  return true;
}

}  // namespace tamso
