#pragma once
// File > Save: the plan on the map as the CSV report that "tamso-cli plan --csv" writes too.
#include <optional>
#include <string>

namespace tamso {
class Solution;
}

namespace tamso::ui {

// The error message in the user's words, or nothing when the file was written completely.
// The file is replaced whole or not at all.
std::optional<std::string> savePlanReport(const std::string& path, Solution& solution);

}  // namespace tamso::ui
