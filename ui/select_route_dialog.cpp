#include "ui/select_route_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "map/map_layer.h"
#include "routing/route.h"
#include "ui/dialog_units.h"
#include "ui/route_windows.h"

namespace tamso::ui {

SelectRouteDialog::SelectRouteDialog(QWidget* parent, MapLayer& layer)
    : QDialog(parent), layer_(layer), list_(new QListWidget(this)) {
  setWindowTitle(QStringLiteral("Select Route"));
  list_->setSelectionMode(QAbstractItemView::MultiSelection);

  auto* selectAllButton = new QPushButton(QStringLiteral("Select All"), this);
  auto* deselectAllButton = new QPushButton(QStringLiteral("Deselect All"), this);
  selectAllButton->setAutoDefault(false);
  deselectAllButton->setAutoDefault(false);
  connect(selectAllButton, &QPushButton::clicked, this, &SelectRouteDialog::selectAll);
  connect(deselectAllButton, &QPushButton::clicked, this, &SelectRouteDialog::deselectAll);

  auto* group = new QGroupBox(QStringLiteral("Routes List"), this);
  auto* groupLayout = new QGridLayout(group);
  groupLayout->addWidget(list_, 0, 0, 1, 2);
  groupLayout->addWidget(selectAllButton, 1, 0);
  groupLayout->addWidget(deselectAllButton, 1, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &SelectRouteDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(buttons);
  resize(DialogUnits(*this).size(208, 178));

  for (const MapRoute& route : layer_.routes()) {
    const QString name = route.route ? QString::fromStdString(route.route->vehicle().name) : QString();
    auto* item = new QListWidgetItem(name, list_);
    item->setSelected(route.shown);
  }
}

void SelectRouteDialog::selectAll() { list_->selectAll(); }

void SelectRouteDialog::deselectAll() { list_->clearSelection(); }

void SelectRouteDialog::accept() {
  for (int i = 0; i < list_->count(); ++i) {
    if (MapRoute* route = layer_.mapRoute(i)) route->shown = list_->item(i)->isSelected();
  }
  QDialog::accept();
}

void openSelectRouteDialog(QWidget* parent, MapLayer& layer) {
  SelectRouteDialog dialog(parent, layer);
  dialog.exec();
}

}  // namespace tamso::ui
