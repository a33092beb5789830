#pragma once
// The scrolling map view, the hub of the window: it shows the document (`PlanDocument`: the
// loaded problem and its files), owns the map (layer, picture and zoomed copy, zoom) and the
// location colour, and carries out the commands of the menus and the toolbar. Commands that ask the user
// go through UserPrompts; dialogs are opened window-modal and applied when they close.
#include <QAbstractScrollArea>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "map/map_view.h"
#include "map/picture_library.h"
#include "problem/problem_data.h"
#include "report/route_sheet.h"
#include "ui/find_items.h"
#include "ui/map_painter.h"
#include "ui/menu_states.h"
#include "ui/plan_document.h"
#include "ui/plan_editor.h"
#include "ui/recent_files.h"
#include "ui/route_windows.h"
#include "ui/run_controller.h"
#include "ui/start_options.h"
#include "ui/tamso_thread.h"

namespace tamso::ui {

class UserPrompts;

inline const QString kNoImageMessage = QStringLiteral("No image loaded.\nUse option File\\Open map parameters");
inline const QString kShowBestPlan = QStringLiteral("Show best plan");
// The two answers when a stopped run found a worse plan than the one on the map.
inline const QString kKeepShownPlan = QStringLiteral("Keep the plan on the map");
inline const QString kShowRunPlan = QStringLiteral("Show the run's plan");
inline const QString kDiscardPlanQuestion =
    QStringLiteral("The plan on the map has changed since it was last saved.\nDiscard the changes?");
inline const QString kDiscardPlan = QStringLiteral("Discard");

class CTamsoView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  CTamsoView(UserPrompts& prompts, PictureLibrary pictures, QWidget* parent = nullptr);
  ~CTamsoView() override;

  // --- state ----------------------------------------------------------------------------
  const MenuStates& menuStates() const { return menus_; }
  const ProblemData& problem() const { return document_.problem(); }
  bool problemLoaded() const { return document_.loaded(); }
  PlanDocument& document() { return document_; }
  // The changes of the plan by hand (moves, removals, locks), each a step of the history.
  PlanEditor& editor() { return editor_; }
  MapView& map() { return map_; }
  MapLayer& layer();  // made with the client size when first needed
  float zoom() const { return map_.zoom(); }
  QSize scrollRange() const { return scrollRange_; }
  int iterationCount() const { return runs_.settings().restarts; }
  bool estimatedGain() const { return runs_.settings().estimatedGain; }
  // Set from the configuration at every load; the runs respect capacities when it is set.
  bool respectCapacities() const { return runs_.settings().respectCapacities; }
  bool respectDrivingTimes() const { return runs_.settings().respectDrivingTimes; }
  // A fixed seed makes every later run repeatable.
  void setSeed(std::optional<std::uint32_t> seed) { runs_.settings().seed = seed; }
  bool running() const { return runs_.running(); }
  // The client size the map is laid out for; a fixed size (for pictures and tests) replaces
  // the viewport's own.
  QSize clientSize() const;
  void setFixedClientSize(std::optional<QSize> size);
  // Loading a problem or a map fits it into the window (on by default; a picture export
  // keeps the canvas at zoom 1).
  void setFitOnLoad(bool on) { fitOnLoad_ = on; }
  const MapPainter& painter() const { return painter_; }
  // The permanent status field: the loaded problem and, once planned, the plan.
  QString summaryText() const;
  QPoint scrollPosition() const;
  MapActions& mapActions() { return *actions_; }

  // --- commands with their arguments (no questions asked) --------------------------------
  // The loader's message on failure. `changeDirectory`: the file's folder becomes the
  // current directory and the file is read by its bare name, as after the file dialog.
  std::optional<QString> openDataFilePath(const QString& path, bool changeDirectory);
  std::optional<QString> openMapParamsPath(const QString& path, bool changeDirectory);
  std::optional<QString> savePlanTo(const QString& path);
  // File > Open Plan: the plan document laid over the loaded data, what no longer held told
  // in one message; the plan opened is a step of the history. The error message on failure.
  std::optional<QString> openPlanPath(const QString& path);
  // File > Save Plan As: the plan document of the plan shown; the file becomes the plan's.
  std::optional<QString> savePlanFileTo(const QString& path);
  // Optimization > Re-plan from: the command run from the plan shown, every stop started
  // before `now` (minutes since the epoch, local time) kept where it is.
  void replanAt(std::int32_t now, RunCommand command);
  // The text or JSON report of the plan shown (JSON for a ".json" name).
  std::optional<QString> saveReportTo(const QString& path);
  // A file dropped on the window: a map-parameters file (it names a picture) opens as the map,
  // any other file as a data file; a failure is told to the user.
  void openDroppedFile(const QString& path);
  // With `releasePicture` (the last step of an export without a window) the canvas may take
  // the picture's pixels over, and the map holds no picture afterwards.
  std::optional<QString> exportMapPictureTo(const QString& path, bool releasePicture = false);
  // The route sheets of the plan on the map: of the routes at `positions` (plan order), of every
  // route with stops when none are given.
  std::vector<RouteSheet> routeSheetsOf(const std::vector<std::size_t>& positions = {});
  // Every route's sheet as a PDF file; the error message, or nothing when it was written.
  std::optional<QString> writeRouteSheetsTo(const QString& path);
  // The whole canvas painted as the window paints it.
  QImage renderCanvas();
  // Local Search on this thread, without messages; the plan goes to the map.
  void runLocalSearchNow();
  // The command line: data file, map, locations, Local Search and its routes. False (after
  // telling the user) when a file failed.
  bool startUp(const StartOptions& options, bool runInBackground);
  // Selects what was found (the route serving it) and centres the map on its place.
  void showFound(const FoundItem& item);
  // Ends a running optimisation and waits for it (closing the window).
  void stopAndWait();
  // True when the plan has no unsaved change or the user lets it go; asked before the plan is
  // lost (another data file, closing, quitting). Without an answer the plan is kept.
  bool mayDiscardPlan();
  // The map parameters and run options the data file is used with now, and bringing them back.
  DataFileUse currentUse() const;
  void restoreUse(const DataFileUse& use);
  // Where the window's runs write their trace files; empty: the current directory.
  void setDumpFolder(const QString& folder) { runs_.settings().dumpFolder = folder; }
  const QString& dumpFolder() const { return runs_.settings().dumpFolder; }
  // The window title names the document and marks a changed plan.
  void refreshTitle();

 public slots:
  void openDataFile();
  void openMapParams();
  void save();
  void saveAs();
  void saveReport();
  void openPlan();
  void savePlan();
  void savePlanAs();
  void exportMapPicture();
  // Asks which routes (all, those shown on the map, the selected one) and opens the print preview.
  void printRouteSheets();
  // Asks for a file and writes every route's sheet into it as PDF.
  void exportRouteSheets();
  void showBackground();
  void hideBackground();
  void showLocations();
  void hideLocations();
  void showRoutes();
  void hideRoutes();
  void selectRoute();
  void routeInfos();
  void unplannedOrders();
  void vehicles();
  void vehicleTypes();
  void countries();
  void regions();
  void places();
  void orders();
  void clients();
  void articleTypes();
  // Ctrl+F: the find window over the loaded data (one at a time; a new problem closes it).
  void find();
  void localSearch();
  void hybridGenetic();
  void genetic();
  // Asks for the time limit, then runs the thorough search; its plan goes to the map.
  void thoroughSearch();
  // Asks for the time to re-plan from (now by default) and the optimiser, then runs it.
  void replanFrom();
  void stop();
  void numberOfIterations();
  void optimizationOptions();
  void visualization();
  void zoomIn();
  void zoomOut();
  void zoomToFit();

 signals:
  // The enabled state of some commands changed.
  void menuStatesChanged();
  void statusText(const QString& text);
  void dataFileOpened(const QString& path);
  // The map parameters or the run options of the data file changed.
  void useChanged();
  void runFinished(bool stopped);
  // The problem or the plan of the permanent status field changed.
  void summaryChanged(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void apply(MenuEvent event);
  void menusChanged();
  void enableZoomButtons();
  void updateZoomOutButton();
  void setScrollRange(QSize size);
  void syncScrollRange();
  void repaintMap();
  QPoint mapPosition(QPoint clientPosition) const;
  PrimitiveList paintList();
  // The whole canvas: the scroll range, at least one pixel each way.
  QSize canvasSize() const;
  void clearPlan();
  // Runs a zoom change keeping the map under the client point `anchor` in place.
  void zoomAround(QPoint anchor, const std::function<void()>& change);
  void centreOn(IntPoint canvasPoint);
  // Puts a plan of the undo history on the map.
  void showSnapshot(const PlanSnapshot& snapshot);
  void announceFinished(RunOutcome& outcome);
  void announceStopped(RunOutcome& outcome);
  // `now`: the run continues the plan shown from that time. Without it a plan with locked
  // routes is continued with them; any other run plans from nothing.
  void startRun(RunCommand command, std::optional<std::int32_t> now = std::nullopt);
  RunRequest runRequest(RunCommand command, std::optional<std::int32_t> now);
  // What no longer held in a plan laid over the data, in one message; nothing when all held.
  void tellPlanProblems(const std::vector<PlanProblem>& problems);
  void onRunFinished();
  void applyOutcome(RunOutcome& outcome, bool announce);
  void afterPictureLoaded();
  // The files the window has read: no save or export may write over one of them.
  std::vector<std::string> inputFiles() const { return document_.inputFiles(); }
  // The files a start-up run without a window writes: its dump files and the exported picture.
  std::vector<std::string> windowlessRunOutputs(const StartOptions& options);

  UserPrompts& prompts_;
  PictureLibrary pictures_;
  PlanDocument document_;
  PlanEditor editor_;
  MapView map_;
  MenuStates menus_;
  MapPainter painter_;
  bool firstDraw_ = true;
  bool pictureLoadAttempted_ = false;
  QSize scrollRange_{300, 300};
  std::optional<QSize> fixedClientSize_;
  RunController runs_;
  std::unique_ptr<MapActions> actions_;
  int wheelRemainder_ = 0;
  QPointer<QDialog> find_;  // the open find window; its matches name records of the loaded problem
  bool fitOnLoad_ = true;
};

}  // namespace tamso::ui
