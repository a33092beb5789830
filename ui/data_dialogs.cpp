#include "ui/data_dialogs.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "problem/problem_data.h"
#include "problem/text.h"
#include "ui/dialog_units.h"
#include "ui/route_windows.h"
#include "ui/two_decimals.h"

namespace tamso::ui {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

ReportList::Cell figure(float value) { return {twoDecimals(value), value}; }
QString timeText(std::int32_t minutes) { return text(formatDateTime(minutes)); }

// "PALLET 4.00 WEIGHT 900.00": the entries of a quantity list on one line.
QString entriesText(const QuantityList& quantities) {
  QStringList entries;
  for (std::int32_t i = 0; i < quantities.count(); ++i) {
    entries << text(quantities.keyAt(i)) + QLatin1Char(' ') + twoDecimals(quantities.quantityAt(i));
  }
  return entries.join(QLatin1Char(' '));
}

// OK is the default button; both buttons only close the dialog.
void addCloseButtons(QDialog& dialog, QVBoxLayout& layout) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout.addWidget(buttons);
}

void sizeDialog(QDialog& dialog, QSize dialogUnits, bool sizable) {
  const QSize size = DialogUnits(dialog).size(dialogUnits.width(), dialogUnits.height());
  if (sizable) {
    dialog.resize(size);
    dialog.setWindowFlags(dialog.windowFlags() & ~Qt::WindowSystemMenuHint);
  } else {
    dialog.setFixedSize(size);
  }
}

template <typename Dialog>
void runModal(QWidget* parent, const ProblemData* problem) {
  Dialog dialog(parent, problem);
  dialog.exec();
}

}  // namespace

DataListDialog::DataListDialog(QWidget* parent, const QString& title, QSize dialogUnits, bool sizable,
                               const std::vector<ReportList::Column>& columns)
    : QDialog(parent), list_(new ReportList(columns, this)), dialogUnits_(dialogUnits), sizable_(sizable) {
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  addCloseButtons(*this, *layout);
  fitToList();
}

QSize DataListDialog::preferredSize(QSize screen) const {
  const QSize own = DialogUnits(*this).size(dialogUnits_.width(), dialogUnits_.height());
  const QMargins margins = layout()->contentsMargins();
  const int buttons = layout()->itemAt(1)->sizeHint().height() + layout()->spacing();
  QSize wanted = list_->contentSize(list_->rowCount());
  wanted += QSize(margins.left() + margins.right(), margins.top() + margins.bottom() + buttons);
  // The window frame and a taskbar take some of the screen.
  const QSize room = screen - QSize(40, 100);
  return wanted.boundedTo(room).expandedTo(own);
}

void DataListDialog::fitToList() {
  const QScreen* screen = this->screen();
  const QSize size = preferredSize(screen ? screen->availableGeometry().size() : QSize(1280, 1000));
  if (sizable_) {
    resize(size);
    setWindowFlags(windowFlags() & ~Qt::WindowSystemMenuHint);
  } else {
    setFixedSize(size);
  }
}

VehiclesDialog::VehiclesDialog(QWidget* parent, const ProblemData* problem)
    : DataListDialog(parent, QStringLiteral("Vehicles"), {255, 140}, false,
                     {{"Vehicle Name", 140}, {"Category", 140}, {"Mass", 140}}) {
  if (!problem) return;
  for (const Vehicle& v : problem->vehicles) {
    list()->addRow({text(v.name), text(v.vehicleTypeName()), figure(v.mass)});
  }
  fitToList();
}

CountriesDialog::CountriesDialog(QWidget* parent, const ProblemData* problem)
    : DataListDialog(parent, QStringLiteral("Countries"), {255, 140}, false,
                     {{"Name", 140}, {"Cost per day", 140}, {"Cost per km", 140}}) {
  if (!problem) return;
  for (const Country& c : problem->countries) {
    list()->addRow({text(c.name), figure(c.costPerDay), figure(c.costPerKm)});
  }
  fitToList();
}

RegionsDialog::RegionsDialog(QWidget* parent, const ProblemData* problem)
    : DataListDialog(parent, QStringLiteral("Regions"), {518, 204}, true,
                     {{"Name", 140},
                      {"Average waiting time", 140},
                      {"Average profit", 140},
                      {"Country", 140},
                      {"Representing location", 140}}) {
  if (!problem) return;
  for (const Region& r : problem->regions) {
    list()->addRow({text(r.name), figure(r.averageWaitingTime), figure(r.averageProfit), text(r.countryName()),
                    text(r.representingPlaceName())});
  }
  fitToList();
}

PlacesDialog::PlacesDialog(QWidget* parent, const ProblemData* problem)
    : DataListDialog(parent, QStringLiteral("Places"), {518, 204}, false,
                     {{"Name", 140}, {"Longitude", 140}, {"Latitude", 140}, {"Country", 140}, {"Region", 140}}) {
  if (!problem) return;
  for (const Place& p : problem->places) {
    list()->addRow(
        {text(p.name), figure(p.longitude), figure(p.latitude), text(p.countryName()), text(p.regionName())});
  }
  fitToList();
}

OrdersDialog::OrdersDialog(QWidget* parent, const ProblemData* problem)
    : DataListDialog(parent, QStringLiteral("Orders"), {518, 204}, true,
                     {{"Name", 100},
                      {"Client", 100},
                      {"Pickup place", 100},
                      {"Pickup from", 120},
                      {"Pickup until", 120},
                      {"Delivery place", 100},
                      {"Delivery from", 120},
                      {"Delivery until", 120},
                      {"Price", 80},
                      {"Goods", 140}}) {
  if (!problem) return;
  for (const Order& o : problem->orders) {
    list()->addRow({text(o.name), text(o.clientName()), text(o.pickupPlaceName()), timeText(o.pickupWindow.start),
                    timeText(o.pickupWindow.end), text(o.deliveryPlaceName()), timeText(o.deliveryWindow.start),
                    timeText(o.deliveryWindow.end), figure(o.price), entriesText(o.articles)});
  }
  fitToList();
}

ClientsDialog::ClientsDialog(QWidget* parent, const ProblemData* problem)
    : DataListDialog(parent, QStringLiteral("Clients"), {255, 140}, false, {{"Name", 140}, {"Priority", 140}}) {
  if (!problem) return;
  for (const Client& c : problem->clients) {
    list()->addRow({text(c.name), c.flag != 0 ? QStringLiteral("yes") : QStringLiteral("no")});
  }
  fitToList();
}

ArticleTypesDialog::ArticleTypesDialog(QWidget* parent, const ProblemData* problem)
    : DataListDialog(parent, QStringLiteral("Article Types"), {255, 140}, false, {{"Name", 140}, {"Contents", 240}}) {
  if (!problem) return;
  for (const ArticleType& a : problem->articleTypes) list()->addRow({text(a.name()), entriesText(a)});
  fitToList();
}

VehicleTypesDialog::VehicleTypesDialog(QWidget* parent, const ProblemData* problem)
    : QDialog(parent), tree_(new QTreeWidget(this)) {
  setWindowTitle(QStringLiteral("Vehicle Types"));
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setRootIsDecorated(true);
  tree_->setItemsExpandable(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tree_);
  addCloseButtons(*this, *layout);
  sizeDialog(*this, {214, 173}, false);
  if (!problem) return;
  // Any number of nodes: each node is attached to its parent item as it is made.
  for (const VehicleType& type : problem->vehicleTypes) {
    auto* typeNode = new QTreeWidgetItem(tree_, QStringList{text(type.name)});
    for (const QuantityList& quantities : type.quantityLists) {
      auto* listNode = new QTreeWidgetItem(typeNode, QStringList{text(quantities.name())});
      for (std::int32_t i = 0; i < quantities.count(); ++i) {
        const QString entry = text(quantities.keyAt(i)) + QLatin1Char(' ') + twoDecimals(quantities.quantityAt(i));
        new QTreeWidgetItem(listNode, QStringList{entry});
      }
    }
  }
  tree_->collapseAll();
}

void openVehiclesDialog(QWidget* parent, const ProblemData* problem) { runModal<VehiclesDialog>(parent, problem); }
void openVehicleTypesDialog(QWidget* parent, const ProblemData* problem) {
  runModal<VehicleTypesDialog>(parent, problem);
}
void openCountriesDialog(QWidget* parent, const ProblemData* problem) { runModal<CountriesDialog>(parent, problem); }
void openRegionsDialog(QWidget* parent, const ProblemData* problem) { runModal<RegionsDialog>(parent, problem); }
void openPlacesDialog(QWidget* parent, const ProblemData* problem) { runModal<PlacesDialog>(parent, problem); }
void openOrdersDialog(QWidget* parent, const ProblemData* problem) { runModal<OrdersDialog>(parent, problem); }
void openClientsDialog(QWidget* parent, const ProblemData* problem) { runModal<ClientsDialog>(parent, problem); }
void openArticleTypesDialog(QWidget* parent, const ProblemData* problem) {
  runModal<ArticleTypesDialog>(parent, problem);
}

}  // namespace tamso::ui
