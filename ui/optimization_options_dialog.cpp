#include "ui/optimization_options_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialog_units.h"

namespace tamso::ui {

// The options on the left, OK and Cancel stacked on the right; the dialog keeps at least its
// designed size and grows with its texts, so none is cut.
OptimizationOptionsDialog::OptimizationOptionsDialog(QWidget* parent, bool estimatedGain, bool respectCapacities,
                                                     bool respectDrivingTimes)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Optimization"));
  auto* group = new QGroupBox(QStringLiteral("Estimated Gain"), this);
  check_ = new QCheckBox(QStringLiteral("Include Estimated Gain in calculations"), group);
  check_->setChecked(estimatedGain);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(check_);
  capacityCheck_ = new QCheckBox(QStringLiteral("Respect vehicle capacities"), this);
  capacityCheck_->setChecked(respectCapacities);
  drivingTimesCheck_ = new QCheckBox(QStringLiteral("Respect driving and rest times"), this);
  drivingTimesCheck_->setChecked(respectDrivingTimes);
  auto* options = new QVBoxLayout;
  options->addWidget(group);
  options->addWidget(capacityCheck_);
  options->addWidget(drivingTimesCheck_);
  options->addStretch();
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options, 1);
  layout->addLayout(buttons);
  setFixedSize(DialogUnits(*this).size(204, 95).expandedTo(sizeHint()));
}

bool OptimizationOptionsDialog::estimatedGain() const { return check_->isChecked(); }

bool OptimizationOptionsDialog::respectCapacities() const { return capacityCheck_->isChecked(); }

bool OptimizationOptionsDialog::respectDrivingTimes() const { return drivingTimesCheck_->isChecked(); }

}  // namespace tamso::ui
