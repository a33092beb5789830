#pragma once
// "Number of iterations": always opens showing 20; OK stores the typed integer.
#include "ui/number_dialog.h"

namespace tamso::ui {

class IterationsDialog : public NumberDialog {
  Q_OBJECT
 public:
  static constexpr int kShownValue = 20;

  IterationsDialog(QWidget* parent, UserPrompts& prompts);
  int value() const { return number(); }
};

}  // namespace tamso::ui
