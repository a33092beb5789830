#include "ui/tamso_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "routing/solution.h"
#include "ui/export_canvas.h"
#include "ui/find_dialog.h"
#include "ui/plan_report.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

namespace {

constexpr int kLineStep = 20;
}  // namespace

CTamsoView::CTamsoView(UserPrompts& prompts, PictureLibrary pictures, QWidget* parent)
    : QAbstractScrollArea(parent),
      prompts_(prompts),
      pictures_(std::move(pictures)),
      document_(this, prompts, [this](const PlanSnapshot& snapshot) { showSnapshot(snapshot); }),
      editor_(this, prompts, document_.history()),
      runs_(this, prompts) {
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  connect(&runs_, &RunController::finished, this, &CTamsoView::onRunFinished);
  connect(&runs_, &RunController::settingsChanged, this, &CTamsoView::useChanged);
  connect(&document_.history().stack(), &QUndoStack::cleanChanged, this, &CTamsoView::refreshTitle);
  MapActions::Host host;
  host.view = this;
  host.layer = [this]() -> MapLayer* { return map_.layer(); };
  host.setStatusText = [this](const QString& text) { emit statusText(text); };
  host.repaint = [this] { repaintMap(); };
  host.prompts = &prompts_;
  host.editor = &editor_;
  actions_ = std::make_unique<MapActions>(std::move(host));
  setScrollRange(scrollRange_);
}

CTamsoView::~CTamsoView() {
  stopAndWait();
  // The undo stack says it is clean once more as it is destroyed, after the document's file
  // names: the title must not be refreshed from them then.
  disconnect(&document_.history().stack(), nullptr, this, nullptr);
}

// --- geometry ---------------------------------------------------------------------------

QSize CTamsoView::clientSize() const { return fixedClientSize_ ? *fixedClientSize_ : viewport()->size(); }

void CTamsoView::setFixedClientSize(std::optional<QSize> size) { fixedClientSize_ = size; }

MapLayer& CTamsoView::layer() {
  if (map_.layer() == nullptr) {
    const QSize client = clientSize();
    map_.createLayer(client.width(), client.height()).setProblem(&document_.problem());
  }
  return *map_.layer();
}

void CTamsoView::setScrollRange(QSize size) {
  scrollRange_ = size;
  const QSize page = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, size.width() - page.width()));
  verticalScrollBar()->setRange(0, std::max(0, size.height() - page.height()));
  horizontalScrollBar()->setPageStep(std::max(1, page.width()));
  verticalScrollBar()->setPageStep(std::max(1, page.height()));
  horizontalScrollBar()->setSingleStep(kLineStep);
  verticalScrollBar()->setSingleStep(kLineStep);
}

void CTamsoView::syncScrollRange() {
  const ScrollRange range = map_.scrollRange();
  setScrollRange(QSize(range.width, range.height));
}

QPoint CTamsoView::scrollPosition() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

QPoint CTamsoView::mapPosition(QPoint clientPosition) const { return clientPosition + scrollPosition(); }

void CTamsoView::centreOn(IntPoint canvasPoint) {
  const QSize client = clientSize();
  horizontalScrollBar()->setValue(canvasPoint.x - client.width() / 2);
  verticalScrollBar()->setValue(canvasPoint.y - client.height() / 2);
}

void CTamsoView::zoomAround(QPoint anchor, const std::function<void()>& change) {
  const float before = map_.zoom();
  const QPoint scroll = scrollPosition();
  change();
  syncScrollRange();
  const IntPoint next = scrollKeeping({scroll.x(), scroll.y()}, {anchor.x(), anchor.y()}, before, map_.zoom());
  horizontalScrollBar()->setValue(next.x);
  verticalScrollBar()->setValue(next.y);
  repaintMap();
}

void CTamsoView::repaintMap() { viewport()->update(); }

// --- menu states ------------------------------------------------------------------------

void CTamsoView::apply(MenuEvent event) {
  menus_.apply(event);
  menusChanged();
}

void CTamsoView::menusChanged() { emit menuStatesChanged(); }

void CTamsoView::enableZoomButtons() {
  menus_.setZoomButton(Command::ZoomIn, true);
  menus_.setZoomButton(Command::ZoomOut, true);
  menus_.setZoomButton(Command::ZoomToFit, true);
  menusChanged();
}

void CTamsoView::updateZoomOutButton() {
  const bool enabled = map_.zoomOutEnabled();
  if (menus_.tableState(Command::ZoomOut) == enabled) return;
  menus_.setZoomButton(Command::ZoomOut, enabled);
  menusChanged();
}

// --- painting ---------------------------------------------------------------------------

PrimitiveList CTamsoView::paintList() {
  if (firstDraw_) {
    firstDraw_ = false;
    refreshTitle();
    layer();
  }
  const float zoomBefore = map_.zoom();
  const QSize client = clientSize();
  PrimitiveList list = map_.paint(client.width(), client.height());
  if (layer().backgroundShown) {
    if (map_.zoom() != zoomBefore) syncScrollRange();
    updateZoomOutButton();
  }
  return list;
}

void CTamsoView::paintEvent(QPaintEvent*) {
  // Only what the viewport shows becomes primitives; exports still draw the whole canvas.
  const QRect shown = viewport()->rect().translated(horizontalScrollBar()->value(), verticalScrollBar()->value());
  layer().visibleArea = CanvasBox{shown.left(), shown.top(), shown.right(), shown.bottom()};
  const PrimitiveList list = paintList();
  layer().visibleArea.reset();
  QPainter painter(viewport());
  if (!layer().backgroundShown) painter.fillRect(viewport()->rect(), Qt::white);
  painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  painter_.paint(painter, list);
}

QSize CTamsoView::canvasSize() const { return {std::max(1, scrollRange_.width()), std::max(1, scrollRange_.height())}; }

QImage CTamsoView::renderCanvas() { return exportCanvas(paintList(), canvasSize(), painter_); }

void CTamsoView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  setScrollRange(scrollRange_);
}

// --- mouse and keys ---------------------------------------------------------------------

void CTamsoView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = mapPosition(event->position().toPoint());
  if (event->button() == Qt::LeftButton) actions_->leftButtonDown(at);
  if (event->button() == Qt::RightButton) actions_->rightButtonDown(at, event->globalPosition().toPoint());
  QAbstractScrollArea::mousePressEvent(event);
}

void CTamsoView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) actions_->leftButtonDoubleClick(mapPosition(event->position().toPoint()));
  QAbstractScrollArea::mouseDoubleClickEvent(event);
}

// Ctrl and the wheel zoom around the mouse, one step of a fifth per notch; the wheel alone
// scrolls.
void CTamsoView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier) || map_.layer() == nullptr) {
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  constexpr int notch = 120;
  wheelRemainder_ += event->angleDelta().y();
  const int steps = wheelRemainder_ / notch;
  wheelRemainder_ -= steps * notch;
  event->accept();
  if (steps == 0) return;
  const QSize client = clientSize();
  const float target = map_.zoom() * static_cast<float>(std::pow(1.2, steps));
  zoomAround(event->position().toPoint(), [&] { map_.zoomTo(target, client.width(), client.height()); });
}

void CTamsoView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Home:
      verticalScrollBar()->setValue(verticalScrollBar()->minimum());
      break;
    case Qt::Key_End:
      verticalScrollBar()->setValue(verticalScrollBar()->maximum());
      break;
    case Qt::Key_Delete:
      actions_->hideRoute();
      break;
    default:
      break;
  }
  // Page and arrow keys scroll by the scroll bars' page and line steps.
  QAbstractScrollArea::keyPressEvent(event);
}

// --- what the map shows -----------------------------------------------------------------

void CTamsoView::showBackground() {
  if (!map_.hasPicture()) {
    prompts_.message(this, kNoImageMessage);
    return;
  }
  map_.showBackground();
  syncScrollRange();
  apply(MenuEvent::BackgroundShown);
  enableZoomButtons();
  repaintMap();
}

void CTamsoView::hideBackground() {
  const QSize client = clientSize();
  map_.hideBackground(client.width(), client.height());
  syncScrollRange();
  apply(MenuEvent::BackgroundHidden);
  repaintMap();
}

void CTamsoView::showLocations() {
  MapLayer& map = layer();
  map.showLocations = true;
  if (!pictureLoadAttempted_ && !map.showRoutes) {
    const QSize client = clientSize();
    map.width = client.width();
    map.height = client.height();
    setScrollRange(client);
  }
  map.rebuildLocations();
  apply(MenuEvent::LocationsShown);
  enableZoomButtons();
  repaintMap();
}

void CTamsoView::hideLocations() {
  layer().showLocations = false;
  apply(MenuEvent::LocationsHidden);
  repaintMap();
}

void CTamsoView::showRoutes() {
  MapLayer& map = layer();
  map.showRoutes = true;
  map.buildRoutes(map_.locationColour);
  map.reprojectRoutes();
  apply(MenuEvent::RoutesShown);
  repaintMap();
}

void CTamsoView::hideRoutes() {
  layer().showRoutes = false;
  apply(MenuEvent::RoutesHidden);
  repaintMap();
}

// The zoom steps keep the middle of the view in place.
void CTamsoView::zoomIn() {
  const QSize client = clientSize();
  zoomAround(QPoint(client.width() / 2, client.height() / 2), [&] { map_.zoomIn(client.width(), client.height()); });
}

void CTamsoView::zoomOut() {
  const QSize client = clientSize();
  zoomAround(QPoint(client.width() / 2, client.height() / 2), [&] { map_.zoomOut(client.width(), client.height()); });
}

void CTamsoView::zoomToFit() {
  if (map_.layer() == nullptr) layer();
  const QSize client = clientSize();
  const IntPoint centre = map_.zoomToFit(client.width(), client.height());
  syncScrollRange();
  centreOn(centre);
  repaintMap();
}

// --- inspection and data ----------------------------------------------------------------

void CTamsoView::selectRoute() {
  openSelectRouteDialog(this, layer());
  repaintMap();
}

void CTamsoView::routeInfos() { openRouteInfosDialog(this, layer()); }

void CTamsoView::unplannedOrders() {
  if (const Solution* plan = layer().solution()) openUnplannedOrdersDialog(this, *plan, &editor_);
}

void CTamsoView::vehicles() { openVehiclesDialog(this, document_.loadedProblem()); }
void CTamsoView::vehicleTypes() { openVehicleTypesDialog(this, document_.loadedProblem()); }
void CTamsoView::countries() { openCountriesDialog(this, document_.loadedProblem()); }
void CTamsoView::regions() { openRegionsDialog(this, document_.loadedProblem()); }
void CTamsoView::places() { openPlacesDialog(this, document_.loadedProblem()); }
void CTamsoView::orders() { openOrdersDialog(this, document_.loadedProblem()); }
void CTamsoView::clients() { openClientsDialog(this, document_.loadedProblem()); }
void CTamsoView::articleTypes() { openArticleTypesDialog(this, document_.loadedProblem()); }

void CTamsoView::find() {
  if (!document_.loaded()) return;
  if (find_) {
    find_->raise();
    find_->activateWindow();
    return;
  }
  auto* dialog = new FindDialog(
      this,
      [this](const QString& text) { return findByName(document_.problem(), layer().solution(), text.toStdString()); },
      [this](const FoundItem& item) { showFound(item); });
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  find_ = dialog;
  dialog->show();
}

void CTamsoView::showFound(const FoundItem& item) {
  MapLayer& map = layer();
  if (map.showRoutes) {
    std::int32_t serving = -1;
    for (std::int32_t i = 0; i < map.routeCount() && item.vehicle != nullptr; ++i) {
      const Route* route = map.mapRoute(i)->route;
      if (route != nullptr && &route->vehicle() == item.vehicle) serving = i;
    }
    map.selectRoute(serving);
  }
  if (item.place != nullptr) {
    if (!map.showLocations) showLocations();
    centreOn(map.project(*item.place));
  }
  emit statusText(QString::fromLatin1(foundKindName(item.kind)) + QLatin1Char(' ') + QString::fromStdString(item.name));
  repaintMap();
}

// --- settings dialogs -------------------------------------------------------------------

void CTamsoView::numberOfIterations() { runs_.askRestarts(); }
void CTamsoView::optimizationOptions() { runs_.askOptions(); }

// --- optimisation runs ------------------------------------------------------------------

void CTamsoView::localSearch() { startRun(RunCommand::LocalSearch); }
void CTamsoView::hybridGenetic() { startRun(RunCommand::HybridGenetic); }
void CTamsoView::genetic() { startRun(RunCommand::Genetic); }

void CTamsoView::thoroughSearch() {
  if (running() || !document_.loaded()) return;
  runs_.askThoroughLimit([this] { startRun(RunCommand::ThoroughSearch); });
}

QString CTamsoView::summaryText() const {
  if (!document_.loaded()) return {};
  QString text = QStringLiteral("%1 orders, %2 vehicles, %3 places")
                     .arg(document_.problem().orders.size())
                     .arg(document_.problem().vehicles.size())
                     .arg(document_.problem().places.size());
  const MapLayer* map = map_.layer();
  if (const Solution* plan = map ? map->solution() : nullptr) {
    const std::size_t orders = document_.problem().orders.size();
    const std::size_t planned = orders - std::min(orders, plan->unplanned().size());
    text += QStringLiteral("; gain %1, %2 of %3 planned")
                .arg(static_cast<double>(plan->gain()), 0, 'f', 2)
                .arg(planned)
                .arg(orders);
  }
  return text;
}

}  // namespace tamso::ui
