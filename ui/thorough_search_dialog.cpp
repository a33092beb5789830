#include "ui/thorough_search_dialog.h"

namespace tamso::ui {

ThoroughSearchDialog::ThoroughSearchDialog(QWidget* parent, UserPrompts& prompts, int seconds)
    : NumberDialog(
          parent, prompts,
          {QStringLiteral("Thorough Search"), QStringLiteral("Time limit in seconds"), 100, kEnterSecondsMessage},
          seconds) {}

}  // namespace tamso::ui
