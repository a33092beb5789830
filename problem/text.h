#pragma once
// The lexical layer of the data files (record lines, name tokens, digit runs, reals,
// date-times, windows and fuzzy times) and the two display formats for times and numbers.
// A record line is parsed from a position that each operation advances.
#include <cstdint>
#include <istream>
#include <optional>
#include <string>

#include "problem/fuzzy.h"

namespace tamso {

// Longest physical line, and longest record joined from continued lines, of a data file.
constexpr std::size_t maxRecordLineLength = std::size_t{1} << 20;

// Reads the next record line (comments skipped, backslash continuations joined, blank
// lines skipped, a UTF-8 byte-order mark at the start of the file skipped). Returns 1 when
// a record was read, 0 at end of file, -1 on a read error, -2 for a line longer than
// maxRecordLineLength.
int readRecordLine(std::istream& in, std::string& line);

// readRecordLine that also counts physical lines, so errors can name the line of a record.
class RecordReader {
 public:
  static constexpr int lineTooLong = -2;

  explicit RecordReader(std::istream& in) : in_(in) {}
  // As readRecordLine.
  int next(std::string& line);
  // The 1-based physical line on which the last record read began (for a line that is too
  // long: that line).
  int recordLine() const { return recordLine_; }

 private:
  std::istream& in_;
  int linesRead_ = 0;
  int recordLine_ = 0;
};

std::string nextToken(const std::string& line, std::size_t& pos);
// A name as names of the data are matched: upper-cased, by the Unicode case mapping when it
// is UTF-8 beyond ASCII ("Łódź" gives "ŁÓDŹ").
std::string upperCasedName(std::string name);
std::string nextDigits(const std::string& line, std::size_t& pos);
std::int32_t digitsToInt(const std::string& digits);
double parseReal(const std::string& text);
// Minutes since the epoch in local time, or a value <= 0 when it is not a valid date (a date
// from 2200-01-01 on gives -1).
std::int32_t parseDateTime(const std::string& line, std::size_t& pos);
// Three date-times as a window; `inOrder`, when given, tells whether they were written in
// order (a window out of order collapses to its first time).
std::optional<FuzzyWindow> readWindow(const std::string& line, std::size_t& pos, bool* inOrder = nullptr);
std::optional<FuzzyTime> readFuzzyTime(const std::string& line, std::size_t& pos);

// "%Y-%m-%d %H:%M" of the local time of the given minute.
std::string formatDateTime(std::int32_t minutes);
// Two digits after the decimal point, cut off, not rounded: 12.345 gives "12.34", 0.5 ".50".
std::string formatTwoDecimals(double value);

}  // namespace tamso
