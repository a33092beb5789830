#pragma once
// Integer edit fields of the dialogs: a signed 32-bit decimal number, blanks around it
// allowed; anything else is refused with the standard message and the dialog stays open.
#include <QString>
#include <optional>

class QLineEdit;

namespace tamso::ui {

inline const QString kEnterIntegerMessage = QStringLiteral("Please enter an integer.");

std::optional<int> integerFrom(const QString& text);

}  // namespace tamso::ui
