#pragma once
// Names of generated test records: a prefix and a number, "P" and 7 giving "P7".
#include <cstdint>
#include <string>
#include <string_view>

namespace tamso::testing {

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "P" + std::to_string(7).
inline std::string numberedName(std::string_view prefix, std::int64_t number) {
  std::string name(prefix);
  name += std::to_string(number);
  return name;
}

}  // namespace tamso::testing
