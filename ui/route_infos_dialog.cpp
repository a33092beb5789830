#include "ui/route_infos_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "map/map_layer.h"
#include "routing/solution.h"
#include "ui/dialog_units.h"
#include "ui/route_info_window.h"
#include "ui/route_windows.h"

namespace tamso::ui {

RouteInfosDialog::RouteInfosDialog(QWidget* parent, const Solution* solution)
    : QDialog(parent),
      solution_(solution),
      vehicles_(new QComboBox(this)),
      show_(new QPushButton(QStringLiteral("Show Route Info"), this)) {
  setWindowTitle(QStringLiteral("Route Infos"));
  auto* group = new QGroupBox(QStringLiteral("Select Route"), this);
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(vehicles_);
  groupLayout->addWidget(show_);
  show_->setAutoDefault(false);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(show_, &QPushButton::clicked, this, &RouteInfosDialog::showRouteInfo);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(buttons);
  setFixedSize(DialogUnits(*this).size(186, 95).expandedTo(sizeHint()));

  if (solution_) {
    for (const Vehicle& vehicle : solution_->problem().vehicles) {
      vehicles_->addItem(QString::fromStdString(vehicle.name));
    }
  }
  if (vehicles_->count() > 0) vehicles_->setCurrentIndex(0);
}

void RouteInfosDialog::showRouteInfo() {
  if (!solution_) return;
  const Route* route = solution_->route(vehicles_->currentIndex());
  if (!route) return;
  if (!window_) window_ = new RouteInfoWindow(this);
  window_->showRoute(*route);
}

void openRouteInfosDialog(QWidget* parent, MapLayer& layer) {
  RouteInfosDialog dialog(parent, layer.solution());
  dialog.exec();
}

}  // namespace tamso::ui
