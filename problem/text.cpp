#include "problem/text.h"

#include "problem/input_file.h"
#include "problem/local_clock.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <limits>

namespace tamso {

namespace {

constexpr std::int64_t minutesPerDay = 1440;
// 2200-01-01 00:00 on the wall clock.
const std::int64_t latestDateMinutes = wallClockMinutes(2200, 1, 1, 0, 0);

bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
// Name tokens are made of the bytes from ',' to 'z'; everything else separates them.
bool isTokenChar(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x2C && b <= 0x7A;
}

void trimRight(std::string& s) {
  while (!s.empty() && isSpace(s.back())) s.pop_back();
}

void trimBoth(std::string& s) {
  trimRight(s);
  std::size_t first = 0;
  while (first < s.size() && isSpace(s[first])) ++first;
  s.erase(0, first);
}

bool isAscii(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isUtf8(const std::string& s) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(s.data());
  const auto length = static_cast<std::int32_t>(s.size());
  for (std::int32_t i = 0; i < length;) {
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) return false;
  }
  return true;
}

// Names in UTF-8 are upper-cased by the Unicode case mapping (so "Łódź" and "ŁÓDŹ" name
// the same place); other text keeps its bytes beyond ASCII unchanged.
void upperCase(std::string& s) {
  if (!isAscii(s) && isUtf8(s)) {
    std::string upper;
    icu::UnicodeString::fromUTF8(s).toUpper(icu::Locale::getRoot()).toUTF8String(upper);
    s = std::move(upper);
    return;
  }
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

// The bytes of the name character at `at`: 1 for a token byte, the length of a letter,
// mark or digit beyond ASCII written in UTF-8, 0 for a separator (and for any byte that is
// not part of valid UTF-8, as it always was).
std::size_t nameCharacterLength(const std::string& line, std::size_t at) {
  if (isTokenChar(line[at])) return 1;
  if (static_cast<unsigned char>(line[at]) < 0x80 || line.size() > static_cast<std::size_t>(INT32_MAX)) return 0;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(line.data());
  auto next = static_cast<std::int32_t>(at);
  UChar32 c = 0;
  U8_NEXT(bytes, next, static_cast<std::int32_t>(line.size()), c);
  if (c < 0 || (U_GET_GC_MASK(c) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_ND_MASK)) == 0) return 0;
  return static_cast<std::size_t>(next) - at;
}

}  // namespace

std::string upperCasedName(std::string name) {
  upperCase(name);
  return name;
}

int readRecordLine(std::istream& in, std::string& line) { return RecordReader(in).next(line); }

int RecordReader::next(std::string& line) {
  line.clear();
  std::string physical;
  bool hadNewline = false;
  LineStatus status;
  while ((status = readBoundedLine(in_, physical, maxRecordLineLength, hadNewline)) == LineStatus::Line) {
    ++linesRead_;
    if (linesRead_ == 1) skipByteOrderMark(physical);
    if (!physical.empty() && physical[0] == '#') continue;
    if (line.size() + physical.size() > maxRecordLineLength) {
      recordLine_ = linesRead_;
      return lineTooLong;
    }
    if (line.empty()) recordLine_ = linesRead_;
    if (!physical.empty() && physical.back() == '\r') physical.pop_back();
    if (!physical.empty() && physical.back() == '\\') {
      physical.pop_back();
      line += physical;
      trimRight(line);
      line += ' ';
      continue;
    }
    line += physical;
    trimBoth(line);
    if (!line.empty()) return 1;
  }
  if (status == LineStatus::TooLong) {
    recordLine_ = linesRead_ + 1;
    return lineTooLong;
  }
  if (status == LineStatus::Error) return -1;
  // A record still open after a continuation at the end of the file is dropped.
  line.clear();
  return 0;
}

std::string nextToken(const std::string& line, std::size_t& pos) {
  while (pos < line.size() && line[pos] != '"' && nameCharacterLength(line, pos) == 0) ++pos;
  if (pos >= line.size()) return {};
  std::string token;
  if (line[pos] == '"') {
    const std::size_t close = line.find('"', pos + 1);
    const std::size_t stop = close == std::string::npos ? line.size() : close;
    token = line.substr(pos + 1, stop - pos - 1);
    pos = close == std::string::npos ? line.size() : close + 1;
  } else {
    const std::size_t begin = pos;
    std::size_t length = 0;
    while (pos < line.size() && (length = nameCharacterLength(line, pos)) > 0) pos += length;
    token = line.substr(begin, pos - begin);
  }
  upperCase(token);
  return token;
}

std::string nextDigits(const std::string& line, std::size_t& pos) {
  while (pos < line.size() && !isDigit(line[pos])) ++pos;
  const std::size_t begin = pos;
  while (pos < line.size() && isDigit(line[pos])) ++pos;
  return line.substr(begin, pos - begin);
}

std::int32_t digitsToInt(const std::string& digits) {
  // 32-bit arithmetic that wraps on overflow, without undefined behaviour.
  std::uint32_t value = 0;
  for (char c : digits) value = value * 10u + static_cast<std::uint32_t>(c - '0');
  return static_cast<std::int32_t>(value);
}

double parseReal(const std::string& text) {
  std::size_t pos = 0;
  while (pos < text.size() && !isDigit(text[pos]) && text[pos] != '-' && text[pos] != '+') ++pos;
  if (pos >= text.size()) return 0.0;
  double sign = 1.0;
  if (text[pos] == '-') sign = -1.0;
  if (!isDigit(text[pos])) ++pos;
  const std::size_t intBegin = pos;
  while (pos < text.size() && isDigit(text[pos])) ++pos;
  const double integerPart = digitsToInt(text.substr(intBegin, pos - intBegin));
  if (pos >= text.size()) return sign * integerPart;
  // Any non-digit run acts as the decimal separator.
  const std::string fraction = nextDigits(text, pos);
  const double fractionPart = digitsToInt(fraction) / std::pow(10.0, static_cast<double>(fraction.size()));
  return sign * (integerPart + fractionPart);
}

std::int32_t parseDateTime(const std::string& line, std::size_t& pos) {
  std::int64_t fields[5];
  for (auto& field : fields) field = digitsToInt(nextDigits(line, pos));
  const std::int64_t wall = wallClockMinutes(fields[0], fields[1], fields[2], fields[3], fields[4]);
  // Dates before 1970 are refused by the readers anyway; dates from 2200 on belong to no
  // real problem and are refused here, so that schedules built on them stay far inside
  // 32-bit minutes.
  if (wall < -minutesPerDay || wall >= latestDateMinutes) return -1;
  // Daylight saving is decided by the date itself, so a file reads the same all year.
  const std::int64_t seconds = localWallClockToEpochSeconds(wall);
  if (seconds <= 0) return static_cast<std::int32_t>(seconds);
  return static_cast<std::int32_t>(seconds / 60);
}

std::optional<FuzzyWindow> readWindow(const std::string& line, std::size_t& pos, bool* inOrder) {
  const std::int32_t a = parseDateTime(line, pos);
  const std::int32_t b = parseDateTime(line, pos);
  const std::int32_t c = parseDateTime(line, pos);
  if (a < 0 || b < 0 || c < 0) return std::nullopt;
  if (pos < line.size()) ++pos;
  if (inOrder != nullptr) *inOrder = a <= b && b <= c;
  return FuzzyWindow(a, b, c);
}

std::optional<FuzzyTime> readFuzzyTime(const std::string& line, std::size_t& pos) {
  const std::int32_t a = parseDateTime(line, pos);
  const std::int32_t b = parseDateTime(line, pos);
  const std::int32_t c = parseDateTime(line, pos);
  if (a < 0 || b < 0 || c < 0) return std::nullopt;
  return FuzzyTime(a, b, c);
}

std::string formatDateTime(std::int32_t minutes) {
  const std::time_t seconds = static_cast<std::time_t>(minutes) * 60;
  std::tm calendar{};
  if (localtime_r(&seconds, &calendar) == nullptr) return {};
  calendar.tm_sec = 0;
  char text[100];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &calendar);
  return std::string(text, length);
}

std::string formatTwoDecimals(double value) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
  // Ten significant digits, rounded at the tenth, and the decimal exponent.
  char scientific[32];
  std::snprintf(scientific, sizeof scientific, "%.9e", std::fabs(value));
  std::string digits;
  digits += scientific[0];
  digits.append(scientific + 2, 9);
  const int before = std::atoi(scientific + 12) + 1;  // digits before the decimal point
  auto digitAt = [&](int i) {
    return i >= 0 && i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0';
  };
  std::string text = value < 0 ? "-" : "";
  for (int i = 0; i < before; ++i) text += digitAt(i);
  text += '.';
  text += digitAt(before);
  text += digitAt(before + 1);
  return text;
}

}  // namespace tamso
