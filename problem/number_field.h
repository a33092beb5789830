#pragma once
// Numbers of the data files, read strictly. A real is an optional sign, digits and, after a
// decimal point or a decimal comma, more digits ("3,25" is 3.25); a whole number is digits
// alone. Whatever else a field holds (exponent notation, no digit at all, a value past the
// 32-bit range, a sign where none makes sense) is refused with the reason, so that a wrong
// number never loads as another one.
#include <cstdint>
#include <optional>
#include <string>

namespace tamso {

enum class NumberSign {
  NonNegative,  // quantities, capacities, prices, costs, times: a minus sign is refused
  Signed,       // coordinates and figures that may be negative
};

// The value of one real token, the same value the data files always gave a well-formed
// number; nothing when the token is not such a number, with `why` telling the fault.
std::optional<double> readStrictReal(const std::string& token, NumberSign sign, std::string& why);

// The value of one whole-number token (a count or a quantity), 0 to 2147483647; nothing
// otherwise, with `why` telling the fault.
std::optional<std::int32_t> readWholeNumber(const std::string& token, std::string& why);

}  // namespace tamso
