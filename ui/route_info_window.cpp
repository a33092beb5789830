#include "ui/route_info_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <string>

#include "problem/text.h"
#include "report/plan_figures.h"
#include "report/report_numbers.h"
#include "routing/route.h"
#include "routing/route_activities.h"
#include "routing/route_loads.h"
#include "ui/dialog_units.h"
#include "ui/plan_editor.h"
#include "ui/report_list.h"
#include "ui/route_graph_dialog.h"

namespace tamso::ui {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }
QString timeText(const FuzzyTime& t) { return text(formatDateTime(t.likely)); }

QLineEdit* readOnlyEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setReadOnly(true);
  return edit;
}

// The figures are found on a copy, so the shown route is not evaluated.
RouteFigures figuresOf(const Route& route) {
  Route copy = route;
  return routeFigures(copy);
}

QString twoDecimals(double value) { return text(roundedTwoDecimals(value)); }

// The vehicle's start: place and time as far as they are known, empty cells otherwise.
std::vector<ReportList::Cell> startRow(const Vehicle& vehicle) {
  const QString place = vehicle.startPlace ? text(vehicle.startPlace->name) : QString();
  const QString time = vehicle.startTime ? timeText(*vehicle.startTime) : QString();
  return {QString(), QString(), place,    QStringLiteral("START"), time, time, time, time,
          QString(), QString(), QString()};
}

std::vector<ReportList::Cell> stopRow(const RouteStop& stop, const StopFigures& figures,
                                      const std::vector<KeyedLoad>& load) {
  const QString order = stop.order ? text(stop.order->name) : QString();
  const QString client = stop.order ? text(stop.order->clientName()) : QString();
  const QString place = stop.place ? text(stop.place->name) : QString();
  QString windowStart, windowEnd;
  if (stop.kind != StopKind::Waiting && stop.window) {
    windowStart = text(formatDateTime(stop.window->start));
    windowEnd = text(formatDateTime(stop.window->end));
  }
  return {order,
          client,
          place,
          QString::fromLatin1(stopKindName(stop.kind)),
          windowStart,
          windowEnd,
          timeText(stop.shownArrival),
          timeText(figures.departure),
          twoDecimals(figures.legKm),
          twoDecimals(decimalOf(stop.satisfaction)),
          text(loadText(load))};
}

// A break or rest: BREAK or REST, where, and its start and end in the window columns.
std::vector<ReportList::Cell> pauseRow(const RouteActivity& pause) {
  return {QString(),
          QString(),
          pause.place ? text(pause.place->name) : QString(),
          pause.kind == ActivityKind::Break ? QStringLiteral("BREAK") : QStringLiteral("REST"),
          text(formatDateTime(pause.start)),
          text(formatDateTime(pause.start + pause.minutes)),
          QString(),
          QString(),
          QString(),
          QString(),
          QString()};
}

}  // namespace

RouteInfoWindow::RouteInfoWindow(QWidget* parent)
    : QDialog(parent),
      vehicle_(readOnlyEdit(this)),
      gain_(readOnlyEdit(this)),
      stops_(new ReportList({{QStringLiteral("Order number"), 100},
                             {QStringLiteral("Client"), 100},
                             {QStringLiteral("Place"), 100},
                             {QStringLiteral("Type of action"), 100},
                             {QStringLiteral("Time window-start"), 140},
                             {QStringLiteral("Time window-end"), 140},
                             {QStringLiteral("Arrival"), 140},
                             {QStringLiteral("Departure"), 140},
                             {QStringLiteral("Leg km"), 80},
                             {QStringLiteral("Satisfaction"), 90},
                             {QStringLiteral("Load"), 160}},
                            this)),
      graphical_(new QPushButton(QStringLiteral("Graphical"), this)) {
  setWindowTitle(QStringLiteral("Route Info"));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);

  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setAutoDefault(false);
  graphical_->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(graphical_, &QPushButton::clicked, this, [this] { openGraphical(); });
  // A stop row dragged onto another Route Info window moves its order there.
  stops_->setDragEnabled(true);
  stops_->setDragDropMode(QAbstractItemView::DragOnly);
  setAcceptDrops(true);
  stops_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(stops_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    const QModelIndex index = stops_->indexAt(at);
    if (QMenu* menu = index.isValid() ? orderMenu(index.row()) : nullptr)
      menu->popup(stops_->viewport()->mapToGlobal(at));
  });

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Vehicle name: "), this), 0, 0);
  grid->addWidget(vehicle_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Route gain:"), this), 0, 2);
  grid->addWidget(gain_, 0, 3);
  grid->addWidget(stops_, 1, 0, 1, 5);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(graphical_);
  buttons->addWidget(close);
  grid->addLayout(buttons, 2, 0, 1, 5);
  grid->setColumnStretch(4, 1);
  resize(DialogUnits(*this).size(460, 231));
}

void RouteInfoWindow::fill(const Route& route) {
  setWindowTitle(QStringLiteral("Route Info - ") + text(route.vehicle().name));
  vehicle_->setText(text(route.vehicle().name));
  const RouteFigures figures = figuresOf(route);
  gain_->setText(twoDecimals(decimalOf(figures.gain)));
  stops_->clearRows();
  stops_->addRow(startRow(route.vehicle()));
  // On board after each stop, for the keys the vehicle type limits.
  const auto loads = shownLoads(route.problem(), route.vehicle(), route.stops());
  forEachStopRow(
      route.stops(), figures.activities, [this](const RouteActivity& pause) { stops_->addRow(pauseRow(pause)); },
      [&](std::size_t i) { stops_->addRow(stopRow(route.stops()[i], figures.stops[i], loads[i])); });
  shown_ = TimelineRoute::of(route);
  // Wide enough for every column once the longest texts are in.
  const QMargins margins = layout()->contentsMargins();
  resize(size().expandedTo(QSize(stops_->contentSize(0).width() + margins.left() + margins.right(), 0)));
}

void RouteInfoWindow::showRoute(const Route& route) {
  fill(route);
  show();
  raise();
}

QMenu* RouteInfoWindow::orderMenu(int row) {
  const Order* order = editor_ ? editor_->orderNamed(stops_->cellText(row, 0)) : nullptr;
  if (order == nullptr) return nullptr;
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  PlanEditor* editor = editor_;
  connect(menu->addAction(QStringLiteral("Move order to route...")), &QAction::triggered, menu,
          [editor, order] { editor->chooseRouteFor(*order); });
  connect(menu->addAction(QStringLiteral("Remove order from route")), &QAction::triggered, menu,
          [editor, order] { editor->removeOrder(*order); });
  return menu;
}

const Order* RouteInfoWindow::draggedOrder(const QObject* source) const {
  const auto* list = qobject_cast<const ReportList*>(source);
  if (editor_ == nullptr || list == nullptr || list == stops_ || !list->currentIndex().isValid()) return nullptr;
  if (qobject_cast<const RouteInfoWindow*>(list->window()) == nullptr) return nullptr;
  return editor_->orderNamed(list->cellText(list->currentIndex().row(), 0));
}

bool RouteInfoWindow::dropOrderFrom(const ReportList* source) {
  const Order* order = draggedOrder(source);
  const std::int32_t route = editor_ ? editor_->routeOfVehicle(vehicleName()) : -1;
  return order != nullptr && route >= 0 && editor_->dropOrder(*order, route);
}

void RouteInfoWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (draggedOrder(event->source()) != nullptr) event->acceptProposedAction();
}

void RouteInfoWindow::dropEvent(QDropEvent* event) {
  // The plan change may close this window: the move runs once the drop is over.
  const QPointer<const ReportList> source = qobject_cast<const ReportList*>(event->source());
  event->acceptProposedAction();
  QMetaObject::invokeMethod(
      this, [this, source] { dropOrderFrom(source.data()); }, Qt::QueuedConnection);
}

QString RouteInfoWindow::vehicleName() const { return vehicle_->text(); }
QString RouteInfoWindow::routeGain() const { return gain_->text(); }

RouteGraphDialog* RouteInfoWindow::openGraphical() {
  auto* dialog = new RouteGraphDialog(this, shown_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
  return dialog;
}

}  // namespace tamso::ui
