#pragma once
// "Number of iterations": the restarts of a Local Search run; opens showing the value in
// force, OK stores the typed integer.
#include "ui/number_dialog.h"

namespace tamso::ui {

class IterationsDialog : public NumberDialog {
  Q_OBJECT
 public:
  IterationsDialog(QWidget* parent, UserPrompts& prompts, int inForce);
  int value() const { return number(); }
};

}  // namespace tamso::ui
