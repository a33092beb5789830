#pragma once
// "Thorough Search": the time limit of the run in whole seconds (30 at first); OK stores a
// positive number, anything else is refused and the dialog stays open.
#include "ui/number_dialog.h"

namespace tamso::ui {

inline const QString kEnterSecondsMessage = QStringLiteral("Please enter a number of seconds above 0.");

class ThoroughSearchDialog : public NumberDialog {
  Q_OBJECT
 public:
  static constexpr int kDefaultSeconds = 30;

  ThoroughSearchDialog(QWidget* parent, UserPrompts& prompts, int seconds);
  int seconds() const { return number(); }

 protected:
  bool acceptable(int seconds) const override { return seconds > 0; }
};

}  // namespace tamso::ui
