#pragma once
// "Optimization": whether every run includes the estimated gain in its calculations, and
// whether its routes must respect the vehicles' capacities.
#include <QDialog>

class QCheckBox;

namespace tamso::ui {

class OptimizationOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  OptimizationOptionsDialog(QWidget* parent, bool estimatedGain, bool respectCapacities);
  bool estimatedGain() const;
  bool respectCapacities() const;
  QCheckBox* checkBox() const { return check_; }
  QCheckBox* capacityCheckBox() const { return capacityCheck_; }

 private:
  QCheckBox* check_;
  QCheckBox* capacityCheck_;
};

}  // namespace tamso::ui
