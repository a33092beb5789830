// The view's file commands (open, save, export), its start-up from the command line and the
// visualization settings: members of CTamsoView kept apart from the map, scrolling,
// painting and input of tamso_view.cpp.
#include "ui/tamso_view.h"

#include <QBuffer>

#include "core/file_replace.h"
#include "problem/file_identity.h"
#include "routing/solution.h"
#include "run/run_outcome.h"
#include "ui/export_canvas.h"
#include "ui/plan_report.h"
#include "ui/user_prompts.h"
#include "ui/visualization_dialog.h"

namespace tamso::ui {

namespace {

const QString kAllFilesFilter = QStringLiteral("All files (*.*)");

QColor toQColor(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }
Rgb toRgb(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

}  // namespace

// --- files ------------------------------------------------------------------------------

void CTamsoView::openDataFile() {
  if (running() || !mayDiscardPlan()) return;
  const std::optional<QString> path = prompts_.openFile(this, QStringLiteral("Open data file"), kAllFilesFilter);
  if (!path) return;
  if (const std::optional<QString> error = openDataFilePath(*path, true)) prompts_.message(this, *error);
}

std::optional<QString> CTamsoView::openDataFilePath(const QString& path, bool changeDirectory) {
  if (running()) return QStringLiteral("An optimisation is running: stop it first.");
  if (const std::optional<QString> error = document_.openDataFile(path, changeDirectory)) return error;
  clearPlan();
  runs_.settings().respectCapacities = document_.problem().checkCapacity;
  runs_.settings().respectDrivingTimes = document_.problem().driverRules;
  apply(MenuEvent::DataLoaded);
  refreshTitle();
  emit dataFileOpened(document_.dataFile());
  emit useChanged();
  emit summaryChanged(summaryText());
  // The places are shown at once, the whole problem in view.
  if (!layer().showLocations) showLocations();
  if (fitOnLoad_) zoomToFit();
  return std::nullopt;
}

// The map's lists, plan, route windows and find window named records of the problem just
// replaced: drop them, and show the new problem's places if locations are shown.
void CTamsoView::clearPlan() {
  actions_->closeRouteWindows();
  if (find_) find_->close();
  find_.clear();
  MapLayer& map = layer();
  const bool hadPlan = map.solution() != nullptr;
  map.setSolution(nullptr);
  map.setProblem(&document_.problem());
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
  const MapParamsFileResult result =
      document_.readMapParams(path, changeDirectory, layer().params(), map_.picture(), pictures_);
  if (result.outcome != MapParamsFileResult::Outcome::FileError) pictureLoadAttempted_ = true;
  if (result.ok()) {
    afterPictureLoaded();
    if (fitOnLoad_) zoomToFit();
    emit useChanged();
  }
  repaintMap();
  if (!result.ok()) {
    return QString::fromStdString(result.reason.empty() ? result.message : result.message + "\n" + result.reason);
  }
  return std::nullopt;
}

void CTamsoView::openDroppedFile(const QString& path) {
  const bool map = PlanDocument::namesPicture(path);
  if (!map && !mayDiscardPlan()) return;
  const std::optional<QString> error = map ? openMapParamsPath(path, true) : openDataFilePath(path, true);
  if (error) prompts_.message(this, *error);
}

bool CTamsoView::mayDiscardPlan() {
  if (!document_.history().changed()) return true;
  return prompts_.ask(this, kDiscardPlanQuestion, {QStringLiteral("Cancel"), kDiscardPlan}) == 1;
}

void CTamsoView::refreshTitle() {
  window()->setWindowTitle(document_.title());
  window()->setWindowModified(document_.history().changed());
}

DataFileUse CTamsoView::currentUse() const {
  const RunSettings& settings = runs_.settings();
  DataFileUse use;
  use.mapParams = document_.mapParamsFile();
  use.estimatedGain = settings.estimatedGain;
  use.respectCapacities = settings.respectCapacities;
  use.respectDrivingTimes = settings.respectDrivingTimes;
  use.restarts = settings.restarts;
  use.thoroughSeconds = settings.thoroughSeconds;
  return use;
}

// The options first, so the use recorded when the map is read is the whole one.
void CTamsoView::restoreUse(const DataFileUse& use) {
  RunSettings& settings = runs_.settings();
  settings.estimatedGain = use.estimatedGain;
  settings.respectCapacities = use.respectCapacities;
  settings.respectDrivingTimes = use.respectDrivingTimes;
  settings.restarts = std::max(use.restarts, 1);
  settings.thoroughSeconds = std::max(use.thoroughSeconds, 1);
  emit useChanged();
  if (use.mapParams.isEmpty() || use.mapParams == document_.mapParamsFile()) return;
  if (const std::optional<QString> error = openMapParamsPath(use.mapParams, false)) prompts_.message(this, *error);
}

void CTamsoView::afterPictureLoaded() {
  map_.showBackground();
  syncScrollRange();
  apply(MenuEvent::MapLoaded);
  enableZoomButtons();
}

void CTamsoView::save() { document_.files().save(layer().solution()); }
void CTamsoView::saveAs() { document_.files().saveAs(layer().solution()); }
void CTamsoView::saveReport() { document_.files().saveReport(layer().solution()); }

std::optional<QString> CTamsoView::savePlanTo(const QString& path) {
  return document_.files().saveCsvTo(path, layer().solution());
}

std::optional<QString> CTamsoView::saveReportTo(const QString& path) {
  return document_.files().saveReportTo(path, layer().solution());
}

void CTamsoView::exportMapPicture() {
  const std::optional<QString> path = prompts_.saveFile(
      this, QStringLiteral("Export map picture"), QStringLiteral("PNG pictures (*.png)"), QStringLiteral("map.png"));
  if (!path) return;
  if (const std::optional<QString> error = exportMapPictureTo(*path)) prompts_.message(this, *error);
}

// The picture is written whole or not at all, through a temporary file, as the plan files are.
std::optional<QString> CTamsoView::exportMapPictureTo(const QString& path, bool releasePicture) {
  if (const auto refusal = refuseOverwritingInput(path.toStdString(), inputFiles())) {
    return QString::fromStdString(*refusal);
  }
  const QImage image = exportCanvas(paintList(), canvasSize(), painter_, releasePicture ? &map_.picture() : nullptr);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
    return QStringLiteral("Cannot write the picture ") + path;
  }
  if (const auto error = replaceFile(path.toStdString(), bytes.toStdString())) return QString::fromStdString(*error);
  return std::nullopt;
}

// --- settings and start-up ---------------------------------------------------------------

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

std::vector<std::string> CTamsoView::windowlessRunOutputs(const StartOptions& options) {
  std::vector<std::string> outputs = runDumpFiles(runs_.request(RunCommand::LocalSearch, document_.problem()));
  if (!options.exportPng.isEmpty()) outputs.push_back(options.exportPng.toStdString());
  return outputs;
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
  if (problemLoaded() && !layer().showLocations) showLocations();
  if (!options.plan.isEmpty()) {
    std::vector<std::string> outputs;
    for (const QString& output : {options.exportPng, options.routeSheets}) {
      if (!output.isEmpty()) outputs.push_back(output.toStdString());
    }
    if (const auto refusal = refuseOverwritingInputs(outputs, {options.plan.toStdString()})) {
      return fail(QString::fromStdString(*refusal));
    }
    if (const std::optional<QString> error = openPlanPath(options.plan)) return fail(*error);
  }
  if (options.localSearch && problemLoaded()) {
    if (runInBackground) {
      startRun(RunCommand::LocalSearch);
    } else {
      if (const auto refusal = refuseOverwritingInputs(windowlessRunOutputs(options), inputFiles())) {
        return fail(QString::fromStdString(*refusal));
      }
      runLocalSearchNow();
    }
  }
  return true;
}

}  // namespace tamso::ui
