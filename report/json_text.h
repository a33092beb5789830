#pragma once
// The text of a JSON document as the tool prints it. Names are read from the user's files
// as bytes; any that are not valid UTF-8 come out with the replacement character instead
// of stopping the program.
#include <nlohmann/json.hpp>

#include <string>

namespace tamso {

inline std::string jsonText(const nlohmann::json& document) {
  return document.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace tamso
