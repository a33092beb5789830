#include "ui/optimization_options_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

#include "ui/dialog_units.h"

namespace tamso::ui {

OptimizationOptionsDialog::OptimizationOptionsDialog(QWidget* parent, bool estimatedGain, bool respectCapacities)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Optimization"));
  const DialogUnits du(*this);
  setFixedSize(du.size(204, 95));
  auto* group = new QGroupBox(QStringLiteral("Estimated Gain"), this);
  placeAt(*group, du, 7, 7, 130, 50);
  check_ = new QCheckBox(QStringLiteral("Include Estimated Gain in calculations"), this);
  check_->setChecked(estimatedGain);
  placeAt(*check_, du, 14, 25, 120, 10);
  capacityCheck_ = new QCheckBox(QStringLiteral("Respect vehicle capacities"), this);
  capacityCheck_->setChecked(respectCapacities);
  placeAt(*capacityCheck_, du, 14, 66, 120, 10);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  placeAt(*ok, du, 147, 7, 50, 14);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  placeAt(*cancel, du, 147, 24, 50, 14);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool OptimizationOptionsDialog::estimatedGain() const { return check_->isChecked(); }

bool OptimizationOptionsDialog::respectCapacities() const { return capacityCheck_->isChecked(); }

}  // namespace tamso::ui
