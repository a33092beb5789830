#include "ui/tamso_view.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "map/map_params_file.h"
#include "problem/config_file.h"
#include "problem/loader.h"
#include "routing/solution.h"
#include "ui/iterations_dialog.h"
#include "ui/optimization_options_dialog.h"
#include "ui/plan_report.h"
#include "ui/thorough_search_dialog.h"
#include "ui/user_prompts.h"
#include "ui/visualization_dialog.h"

namespace tamso::ui {

namespace {

constexpr int kLineStep = 20;
const QString kAllFilesFilter = QStringLiteral("All files (*.*)");

QColor toQColor(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }
Rgb toRgb(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

// The file to read: by its bare name after moving into its folder (as the file dialog
// does), or by its full path.
std::string fileToRead(const QString& path, bool changeDirectory) {
  const QFileInfo info(path);
  if (!changeDirectory) return QDir::toNativeSeparators(info.absoluteFilePath()).toStdString();
  QDir::setCurrent(info.absolutePath());
  return info.fileName().toStdString();
}

}  // namespace

CTamsoView::CTamsoView(UserPrompts& prompts, PictureLibrary pictures, QWidget* parent)
    : QAbstractScrollArea(parent), prompts_(prompts), pictures_(std::move(pictures)) {
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  progressTimer_.setInterval(100);
  connect(&progressTimer_, &QTimer::timeout, this, &CTamsoView::pollProgress);
  MapActions::Host host;
  host.view = this;
  host.layer = [this]() -> MapLayer* { return map_.layer(); };
  host.setStatusText = [this](const QString& text) { emit statusText(text); };
  host.repaint = [this] { repaintMap(); };
  host.prompts = &prompts_;
  actions_ = std::make_unique<MapActions>(std::move(host));
  setScrollRange(scrollRange_);
}

CTamsoView::~CTamsoView() { stopAndWait(); }

// --- geometry ---------------------------------------------------------------------------

QSize CTamsoView::clientSize() const { return fixedClientSize_ ? *fixedClientSize_ : viewport()->size(); }

void CTamsoView::setFixedClientSize(std::optional<QSize> size) { fixedClientSize_ = size; }

MapLayer& CTamsoView::layer() {
  if (map_.layer() == nullptr) {
    const QSize client = clientSize();
    map_.createLayer(client.width(), client.height()).setProblem(&problem_);
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
    window()->setWindowTitle(QStringLiteral("Tamso"));
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
  const PrimitiveList list = paintList();
  QPainter painter(viewport());
  if (!layer().backgroundShown) painter.fillRect(viewport()->rect(), Qt::white);
  painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  painter_.paint(painter, list);
}

QImage CTamsoView::renderCanvas() {
  const PrimitiveList list = paintList();
  const QSize size(std::max(1, scrollRange_.width()), std::max(1, scrollRange_.height()));
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  QPainter painter(&image);
  painter_.paint(painter, list);
  return image;
}

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

// --- files ------------------------------------------------------------------------------

void CTamsoView::openDataFile() {
  if (running()) return;
  const std::optional<QString> path = prompts_.openFile(this, QStringLiteral("Open data file"), kAllFilesFilter);
  if (!path) return;
  if (const std::optional<QString> error = openDataFilePath(*path, true)) prompts_.message(this, *error);
}

std::optional<QString> CTamsoView::openDataFilePath(const QString& path, bool changeDirectory) {
  if (running()) return QStringLiteral("An optimisation is running: stop it first.");
  const QString fullPath = QFileInfo(path).absoluteFilePath();
  LoadOptions options;
  if (!changeDirectory) options.dataDirectory = QFileInfo(fullPath).absolutePath().toStdString();
  const std::string name = fileToRead(fullPath, changeDirectory);
  if (const std::optional<LoadError> error = loadInstance(name, problem_, options)) {
    // The reason, when known, on a second line, as the command-line tool gives it.
    return QString::fromStdString(error->reason.empty() ? error->message : error->message + "\n" + error->reason);
  }
  clearPlan();
  problemLoaded_ = true;
  respectCapacities_ = problem_.checkCapacity;
  apply(MenuEvent::DataLoaded);
  emit dataFileOpened(fullPath);
  emit summaryChanged(summaryText());
  // The places are shown at once, the whole problem in view.
  if (!layer().showLocations) showLocations();
  if (fitOnLoad_) zoomToFit();
  return std::nullopt;
}

// The map's lists, plan and route windows named records of the problem just replaced: drop
// them, and show the new problem's places if locations are shown.
void CTamsoView::clearPlan() {
  actions_->closeRouteWindows();
  MapLayer& map = layer();
  const bool hadPlan = map.solution() != nullptr;
  map.setSolution(nullptr);
  map.setProblem(&problem_);
  map.showRoutes = false;
  if (map.showLocations) map.rebuildLocations();
  if (hadPlan) apply(MenuEvent::PlanCleared);
}

void CTamsoView::openMapParams() {
  const std::optional<QString> path = prompts_.openFile(this, QStringLiteral("Open map parameters"), kAllFilesFilter);
  if (!path) return;
  if (const std::optional<QString> error = openMapParamsPath(*path, true)) prompts_.message(this, *error);
}

std::optional<QString> CTamsoView::openMapParamsPath(const QString& path, bool changeDirectory) {
  const std::string name = fileToRead(path, changeDirectory);
  const MapParamsFileResult result = readMapParamsFile(name, layer().params(), map_.picture(), pictures_);
  if (result.outcome != MapParamsFileResult::Outcome::FileError) pictureLoadAttempted_ = true;
  if (result.ok()) {
    afterPictureLoaded();
    if (fitOnLoad_) zoomToFit();
  }
  repaintMap();
  if (!result.ok()) {
    return QString::fromStdString(result.reason.empty() ? result.message : result.message + "\n" + result.reason);
  }
  return std::nullopt;
}

void CTamsoView::openDroppedFile(const QString& path) {
  ConfigFile file;
  const bool namesPicture =
      file.read(QFileInfo(path).absoluteFilePath().toStdString()) && file.lookup("mapfilename").has_value();
  const std::optional<QString> error = namesPicture ? openMapParamsPath(path, true) : openDataFilePath(path, true);
  if (error) prompts_.message(this, *error);
}

void CTamsoView::afterPictureLoaded() {
  map_.showBackground();
  syncScrollRange();
  apply(MenuEvent::MapLoaded);
  enableZoomButtons();
}

void CTamsoView::save() {
  if (layer().solution() == nullptr) {
    prompts_.message(this, kNoPlanMessage);
    return;
  }
  if (savePath_.isEmpty()) {
    saveAs();
    return;
  }
  if (const std::optional<QString> error = savePlanTo(savePath_)) prompts_.message(this, *error);
}

void CTamsoView::saveAs() {
  if (layer().solution() == nullptr) {
    prompts_.message(this, kNoPlanMessage);
    return;
  }
  const std::optional<QString> path =
      prompts_.saveFile(this, QStringLiteral("Save As"), QStringLiteral("CSV files (*.csv);;All files (*.*)"),
                        QStringLiteral("plan.csv"));
  if (!path) return;
  if (const std::optional<QString> error = savePlanTo(*path)) {
    prompts_.message(this, *error);
    return;
  }
  savePath_ = *path;
}

std::optional<QString> CTamsoView::savePlanTo(const QString& path) {
  Solution* plan = layer().solution();
  if (plan == nullptr) return kNoPlanMessage;
  if (const std::optional<std::string> error = savePlanReport(path.toStdString(), *plan))
    return QString::fromStdString(*error);
  return std::nullopt;
}

void CTamsoView::exportMapPicture() {
  const std::optional<QString> path = prompts_.saveFile(
      this, QStringLiteral("Export map picture"), QStringLiteral("PNG pictures (*.png)"), QStringLiteral("map.png"));
  if (!path) return;
  if (const std::optional<QString> error = exportMapPictureTo(*path)) prompts_.message(this, *error);
}

std::optional<QString> CTamsoView::exportMapPictureTo(const QString& path) {
  const QImage image = renderCanvas();
  if (image.isNull() || !image.save(path, "PNG")) return QStringLiteral("Cannot write the picture ") + path;
  return std::nullopt;
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
  if (const Solution* plan = layer().solution()) openUnplannedOrdersDialog(this, problem_, *plan);
}

void CTamsoView::vehicles() { openVehiclesDialog(this, problemLoaded_ ? &problem_ : nullptr); }
void CTamsoView::vehicleTypes() { openVehicleTypesDialog(this, problemLoaded_ ? &problem_ : nullptr); }
void CTamsoView::countries() { openCountriesDialog(this, problemLoaded_ ? &problem_ : nullptr); }
void CTamsoView::regions() { openRegionsDialog(this, problemLoaded_ ? &problem_ : nullptr); }
void CTamsoView::places() { openPlacesDialog(this, problemLoaded_ ? &problem_ : nullptr); }

// --- settings dialogs -------------------------------------------------------------------

void CTamsoView::numberOfIterations() {
  auto* dialog = new IterationsDialog(this, prompts_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] { iterationCount_ = dialog->value(); });
  dialog->open();
}

void CTamsoView::optimizationOptions() {
  auto* dialog = new OptimizationOptionsDialog(this, estimatedGain_, respectCapacities_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    estimatedGain_ = dialog->estimatedGain();
    respectCapacities_ = dialog->respectCapacities();
  });
  dialog->open();
}

void CTamsoView::visualization() {
  const MapLayer& map = layer();
  VisualizationSettings current;
  current.shape = map.shape;
  current.locationColour = toQColor(map_.locationColour);
  current.routeWidth = map.routeWidth;
  current.selectedRouteWidth = map.selectedRouteWidth;
  current.locationSize = map.locationSize;
  current.selectedLocationSize = map.selectedLocationSize;
  auto* dialog = new CVisualizationDlg(this, prompts_, current);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
    if (result == QDialog::Accepted) {
      const VisualizationSettings& chosen = dialog->settings();
      MapLayer& target = layer();
      target.shape = chosen.shape;
      target.locationSize = chosen.locationSize;
      target.selectedLocationSize = chosen.selectedLocationSize;
      target.routeWidth = chosen.routeWidth;
      target.selectedRouteWidth = chosen.selectedRouteWidth;
      map_.locationColour = toRgb(chosen.locationColour);
      target.locationColour = toRgb(chosen.locationColour);
      target.recolourRoutesAwayFrom(map_.locationColour);
    }
    repaintMap();
  });
  dialog->open();
}

// --- optimisation runs ------------------------------------------------------------------

void CTamsoView::localSearch() { startRun(RunCommand::LocalSearch); }
void CTamsoView::hybridGenetic() { startRun(RunCommand::HybridGenetic); }
void CTamsoView::genetic() { startRun(RunCommand::Genetic); }

void CTamsoView::thoroughSearch() {
  if (running() || !problemLoaded_) return;
  auto* dialog = new ThoroughSearchDialog(this, prompts_, thoroughSeconds_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    thoroughSeconds_ = dialog->seconds();
    startRun(RunCommand::ThoroughSearch);
  });
  dialog->open();
}

void CTamsoView::startRun(RunCommand command) {
  if (running() || !problemLoaded_) return;
  problem_.checkCapacity = respectCapacities_;  // no run reads the problem now
  RunRequest request{command, &problem_, estimatedGain_, seed_};
  request.timeLimit = thoroughSeconds_;
  worker_ = std::make_unique<TamsoThread>(request);
  connect(worker_.get(), &QThread::finished, this, &CTamsoView::onRunFinished, Qt::QueuedConnection);
  menus_.setRunning(true);
  menusChanged();

  auto* dialog = new QProgressDialog(runCommandName(command), QStringLiteral("Cancel"), 0, 0, this);
  dialog->setWindowTitle(runCommandName(command));
  // Wide enough for the title beside the window's buttons, and for the progress lines.
  dialog->setMinimumWidth(std::max(380, 2 * dialog->fontMetrics().horizontalAdvance(runCommandName(command))));
  dialog->setWindowModality(Qt::NonModal);
  dialog->setMinimumDuration(0);
  dialog->setAutoClose(false);
  dialog->setAutoReset(false);
  connect(dialog, &QProgressDialog::canceled, this, &CTamsoView::stop);
  progress_ = dialog;
  dialog->show();
  progressTimer_.start();
  runClock_.start();
  emit statusText(runCommandName(command) + QStringLiteral(" running"));
  worker_->start();
}

void CTamsoView::pollProgress() {
  if (!worker_ || !progress_) return;
  const std::optional<RunProgress> latest = worker_->latestProgress();
  if (!latest) return;
  const RunRequest& request = worker_->request();
  QString label = runCommandName(request.command) + QLatin1Char('\n') + progressText(*latest);
  const bool timed = request.command == RunCommand::ThoroughSearch && latest->total == 0;
  const auto elapsed = static_cast<int>(runClock_.elapsed() / 1000);
  if (timed) label += QStringLiteral("\nelapsed: %1 s of %2 s").arg(elapsed).arg(request.timeLimit);
  if (worker_->stopRequested()) label += QStringLiteral("\nstopping...");
  progress_->setLabelText(label);
  if (timed) {
    progress_->setRange(0, request.timeLimit);
    progress_->setValue(std::min(elapsed, request.timeLimit));
  } else if (latest->total > 0) {
    progress_->setRange(0, latest->total);
    progress_->setValue(std::min(latest->step, latest->total));
  } else {
    progress_->setRange(0, 0);
  }
}

void CTamsoView::stop() {
  if (!worker_) return;
  worker_->requestStop();
  if (progress_) progress_->setLabelText(runCommandName(worker_->request().command) + QStringLiteral("\nstopping..."));
}

void CTamsoView::onRunFinished() {
  if (!worker_) return;
  worker_->wait();
  std::unique_ptr<RunOutcome> outcome = worker_->takeOutcome();
  worker_.reset();
  progressTimer_.stop();
  if (progress_) progress_->deleteLater();
  menus_.setRunning(false);
  menusChanged();
  const bool stopped = !outcome || outcome->stopped;
  if (outcome) applyOutcome(*outcome, true);
  emit statusText(QStringLiteral("Ready"));
  emit runFinished(stopped);
}

void CTamsoView::applyOutcome(RunOutcome& outcome, bool announce) {
  if (outcome.stopped) {
    if (announce) prompts_.message(this, QStringLiteral("Stopped"));
    return;
  }
  if (announce) announceFinished(outcome);
  for (const std::string& error : outcome.dumpErrors) prompts_.message(this, QString::fromStdString(error));
  if (!outcome.solution) return;
  showPlan(std::move(outcome.solution));
}

// "finished"; an evolutionary run names its best gain and offers its best plan, which
// replaces the plan on the map only when the user asks for it.
void CTamsoView::announceFinished(RunOutcome& outcome) {
  const bool evolutionary = outcome.command == RunCommand::HybridGenetic || outcome.command == RunCommand::Genetic;
  if (!evolutionary || !outcome.solution) {
    prompts_.message(this, QStringLiteral("finished"));
    return;
  }
  const QString text =
      QStringLiteral("finished\nbest gain: %1").arg(static_cast<double>(outcome.solution->gain()), 0, 'f', 2);
  if (prompts_.ask(this, text, {QStringLiteral("OK"), kShowBestPlan}) != 1) outcome.solution.reset();
}

// The plan goes to the map as after a Local Search, and its routes are shown at once.
void CTamsoView::showPlan(std::unique_ptr<Solution> plan) {
  apply(MenuEvent::LocalSearchFinished);
  // The route windows show routes of the plan being replaced.
  actions_->closeRouteWindows();
  MapLayer& map = layer();
  map.setSolution(std::move(plan));
  emit summaryChanged(summaryText());
  showRoutes();
}

QString CTamsoView::summaryText() const {
  if (!problemLoaded_) return {};
  QString text = QStringLiteral("%1 orders, %2 vehicles, %3 places")
                     .arg(problem_.orders.size())
                     .arg(problem_.vehicles.size())
                     .arg(problem_.places.size());
  const MapLayer* map = map_.layer();
  if (const Solution* plan = map ? map->solution() : nullptr) {
    const std::size_t orders = problem_.orders.size();
    const std::size_t planned = orders - std::min(orders, plan->unplanned().size());
    text += QStringLiteral("; gain %1, %2 of %3 planned")
                .arg(static_cast<double>(plan->gain()), 0, 'f', 2)
                .arg(planned)
                .arg(orders);
  }
  return text;
}

void CTamsoView::runLocalSearchNow() {
  if (running() || !problemLoaded_) return;
  problem_.checkCapacity = respectCapacities_;
  RunOutcome outcome = executeRun(RunRequest{RunCommand::LocalSearch, &problem_, estimatedGain_, seed_}, nullptr);
  applyOutcome(outcome, false);
}

void CTamsoView::stopAndWait() {
  if (!worker_) return;
  worker_->requestStop();
  worker_->wait();
  worker_.reset();
  progressTimer_.stop();
  if (progress_) progress_->deleteLater();
  menus_.setRunning(false);
}

bool CTamsoView::startUp(const StartOptions& options, bool runInBackground) {
  setSeed(options.seed);
  const auto fail = [this](const QString& message) {
    prompts_.message(this, message);
    return false;
  };
  if (!options.config.isEmpty()) {
    if (const std::optional<QString> error = openDataFilePath(options.config, false)) return fail(*error);
  }
  if (!options.mapParams.isEmpty()) {
    if (const std::optional<QString> error = openMapParamsPath(options.mapParams, false)) return fail(*error);
  }
  if (problemLoaded_ && !layer().showLocations) showLocations();
  if (options.localSearch && problemLoaded_) {
    if (runInBackground) {
      startRun(RunCommand::LocalSearch);
    } else {
      runLocalSearchNow();
    }
  }
  return true;
}

}  // namespace tamso::ui
