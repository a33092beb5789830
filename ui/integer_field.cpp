#include "ui/integer_field.h"

namespace tamso::ui {

std::optional<int> integerFrom(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

}  // namespace tamso::ui
