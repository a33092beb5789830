#include "ui/plan_report.h"

#include <sstream>

#include "search/file_replace.h"
#include "search/plan_csv.h"

namespace tamso::ui {

std::optional<std::string> savePlanReport(const std::string& path, Solution& solution) {
  std::ostringstream text;
  writePlanCsv(text, solution);
  return replaceFile(path, text.str());
}

}  // namespace tamso::ui
