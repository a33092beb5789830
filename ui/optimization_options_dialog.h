#pragma once
// "Optimization": whether every run includes the estimated gain in its calculations.
#include <QDialog>

class QCheckBox;

namespace tamso::ui {

class OptimizationOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  OptimizationOptionsDialog(QWidget* parent, bool estimatedGain);
  bool estimatedGain() const;
  QCheckBox* checkBox() const { return check_; }

 private:
  QCheckBox* check_;
};

}  // namespace tamso::ui
