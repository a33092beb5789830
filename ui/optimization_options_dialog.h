#pragma once
// "Optimization": whether every run includes the estimated gain in its calculations, and
// whether its routes must respect the vehicles' capacities and the drivers' driving and rest times.
#include <QDialog>

class QCheckBox;

namespace tamso::ui {

class OptimizationOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  OptimizationOptionsDialog(QWidget* parent, bool estimatedGain, bool respectCapacities, bool respectDrivingTimes);
  bool estimatedGain() const;
  bool respectCapacities() const;
  bool respectDrivingTimes() const;
  QCheckBox* checkBox() const { return check_; }
  QCheckBox* capacityCheckBox() const { return capacityCheck_; }
  QCheckBox* drivingTimesCheckBox() const { return drivingTimesCheck_; }

 private:
  QCheckBox* check_;
  QCheckBox* capacityCheck_;
  QCheckBox* drivingTimesCheck_;
};

}  // namespace tamso::ui
