#include "problem/fuzzy.h"

#include <algorithm>

#include "problem/text.h"

namespace tamso {

std::string FuzzyTime::format() const { return formatDateTime(likely); }

FuzzyWindow::FuzzyWindow(std::int32_t a, std::int32_t b, std::int32_t c)
    : start(a), fullEnd(std::max(a, b)), end(std::max(std::max(a, b), c)) {}

std::string FuzzyWindow::format(int kind) const {
  if (kind == 1) return formatDateTime(start);
  if (kind == 2) return formatDateTime(end);
  return "[ " + formatDateTime(start) + "; " + formatDateTime(end) + " ]";
}

}  // namespace tamso
