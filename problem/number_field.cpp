#include "problem/number_field.h"

#include <cmath>
#include <limits>

namespace tamso {

namespace {

constexpr std::int64_t largestValue = std::numeric_limits<std::int32_t>::max();
// Fraction digits that are kept when the whole run is past the 32-bit range.
constexpr std::size_t keptFractionDigits = 9;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t digitRunEnd(const std::string& text, std::size_t pos) {
  while (pos < text.size() && isDigit(text[pos])) ++pos;
  return pos;
}

// The value of a digit run, or -1 when it is past the 32-bit range.
std::int64_t runValue(const std::string& text, std::size_t begin, std::size_t end) {
  std::int64_t value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > largestValue) return -1;
  }
  return value;
}

std::string quoted(const std::string& token) { return "'" + token + "'"; }

// Why a token that is not a plain decimal number is refused.
std::string notANumber(const std::string& token) {
  bool digit = false;
  for (std::size_t i = 0; i < token.size(); ++i) {
    if (isDigit(token[i])) digit = true;
    if (digit && (token[i] == 'E' || token[i] == 'e') && i + 1 < token.size()) {
      return quoted(token) + " is in exponent notation, which is not accepted";
    }
  }
  if (!digit) return quoted(token) + " is not a number: it has no digit";
  return quoted(token) + " is not a number";
}

std::string tooLarge(const std::string& token) {
  return quoted(token) + " is too large: at most " + std::to_string(largestValue) + " is accepted";
}

}  // namespace

std::optional<double> readStrictReal(const std::string& token, NumberSign sign, std::string& why) {
  std::size_t pos = 0;
  const bool negative = !token.empty() && token[0] == '-';
  if (!token.empty() && (token[0] == '-' || token[0] == '+')) ++pos;
  const std::size_t integerEnd = digitRunEnd(token, pos);
  std::size_t fractionBegin = integerEnd;
  if (integerEnd < token.size() && (token[integerEnd] == '.' || token[integerEnd] == ',')) ++fractionBegin;
  const std::size_t fractionEnd = digitRunEnd(token, fractionBegin);
  if (fractionEnd != token.size() || (integerEnd == pos && fractionEnd == fractionBegin)) {
    why = notANumber(token);
    return std::nullopt;
  }
  if (negative && sign == NumberSign::NonNegative) {
    why = quoted(token) + " is negative, and only 0 or more makes sense here";
    return std::nullopt;
  }
  const std::int64_t integerPart = runValue(token, pos, integerEnd);
  if (integerPart < 0) {
    why = tooLarge(token);
    return std::nullopt;
  }
  // The fraction as the data files always read it: its digits as one number over 10^k; a run
  // too long for that keeps its first nine digits.
  std::size_t fractionStop = fractionEnd;
  if (runValue(token, fractionBegin, fractionEnd) < 0) fractionStop = fractionBegin + keptFractionDigits;
  const double fraction = static_cast<double>(runValue(token, fractionBegin, fractionStop)) /
                          std::pow(10.0, static_cast<double>(fractionStop - fractionBegin));
  const double value = static_cast<double>(static_cast<std::int32_t>(integerPart)) + fraction;
  return negative ? -value : value;
}

std::optional<std::int32_t> readWholeNumber(const std::string& token, std::string& why) {
  std::size_t pos = !token.empty() && token[0] == '+' ? 1 : 0;
  if (!token.empty() && token[0] == '-' && digitRunEnd(token, 1) == token.size() && token.size() > 1) {
    why = quoted(token) + " is negative, and only 0 or more makes sense here";
    return std::nullopt;
  }
  const std::size_t end = digitRunEnd(token, pos);
  if (end != token.size() || end == pos) {
    const bool real = readStrictReal(token, NumberSign::Signed, why).has_value();
    if (real) why = quoted(token) + " is not a whole number";
    return std::nullopt;
  }
  const std::int64_t value = runValue(token, pos, end);
  if (value < 0) {
    why = tooLarge(token);
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace tamso
