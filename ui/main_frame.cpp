#include "ui/main_frame.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>

#include "ui/about_dialog.h"
#include "ui/recent_files.h"
#include "ui/tamso_view.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

namespace {
const QString kReady = QStringLiteral("Ready");
const QString kGeometryKey = QStringLiteral("MainWindow/geometry");
const QString kStateKey = QStringLiteral("MainWindow/state");
}  // namespace

CMainFrame::CMainFrame(UserPrompts& prompts, QSettings& settings, PictureLibrary pictures, QWidget* parent)
    : QMainWindow(parent),
      prompts_(prompts),
      settings_(settings),
      view_(new CTamsoView(prompts, std::move(pictures), this)) {
  setWindowTitle(QStringLiteral("Tamso"));
  setCentralWidget(view_);
  buildMenus();
  buildToolBar();
  buildStatusBar();
  rebuildRecentFiles();
  connect(view_, &CTamsoView::menuStatesChanged, this, &CMainFrame::refreshCommandStates);
  connect(view_, &CTamsoView::statusText, this, &CMainFrame::setMessage);
  connect(view_, &CTamsoView::summaryChanged, summaryPane_, &QLabel::setText);
  connect(view_, &CTamsoView::dataFileOpened, this, [this](const QString& path) {
    RecentFiles(settings_).add(path);
    rebuildRecentFiles();
  });
  connect(view_, &CTamsoView::useChanged, this, [this] {
    if (view_->problemLoaded()) RecentFiles(settings_).setUse(view_->document().dataFile(), view_->currentUse());
  });
  refreshCommandStates();
  resize(1000, 750);
  setAcceptDrops(true);
  restoreWindow();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::action(Command command) const {
  const auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

QAction* CMainFrame::addCommand(QMenu* menu, Command command, const QString& text, void (CTamsoView::*slot)()) {
  auto* act = new QAction(text, this);
  if (slot != nullptr) connect(act, &QAction::triggered, view_, slot);
  if (menu != nullptr) menu->addAction(act);
  actions_[command] = act;
  return act;
}

void CMainFrame::buildMenus() {
  using C = Command;
  using V = CTamsoView;
  fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* open =
      addCommand(fileMenu_, C::OpenDataFile, QStringLiteral("&Open data file...\tCtrl+O"), &V::openDataFile);
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  open->setStatusTip(QStringLiteral("Open data file"));
  open->setToolTip(QStringLiteral("Open"));
  addCommand(fileMenu_, C::OpenMapParams, QStringLiteral("Open &map params..."), &V::openMapParams);
  addCommand(fileMenu_, C::OpenPlan, QStringLiteral("Open &Plan..."), &V::openPlan)
      ->setStatusTip(QStringLiteral("Open a saved plan on the loaded data"));
  addCommand(fileMenu_, C::SavePlan, QStringLiteral("Save P&lan"), &V::savePlan)
      ->setStatusTip(QStringLiteral("Save the plan with its locks as a plan file (JSON)"));
  addCommand(fileMenu_, C::SavePlanAs, QStringLiteral("Save Plan As..."), &V::savePlanAs);
  fileMenu_->addSeparator();
  QAction* save = addCommand(fileMenu_, C::Save, QStringLiteral("&Save\tCtrl+S"), &V::save);
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  save->setStatusTip(QStringLiteral("Save the plan as a CSV report"));
  save->setToolTip(QStringLiteral("Save"));
  addCommand(fileMenu_, C::SaveAs, QStringLiteral("Save &As..."), &V::saveAs);
  QAction* report = addCommand(fileMenu_, C::SaveReport, QStringLiteral("Save &Report..."), &V::saveReport);
  report->setStatusTip(QStringLiteral("Save the plan as the text or JSON report the command line prints"));
  fileMenu_->addSeparator();
  addCommand(fileMenu_, C::ExportMapPicture, QStringLiteral("Export map picture..."), &V::exportMapPicture);
  QAction* print = addCommand(fileMenu_, C::PrintRouteSheets, QStringLiteral("&Print Route Sheets...\tCtrl+P"),
                              &V::printRouteSheets);
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  print->setStatusTip(QStringLiteral("One page per vehicle for its driver, with a print preview"));
  addCommand(fileMenu_, C::ExportRouteSheets, QStringLiteral("Route Sheets as P&DF..."), &V::exportRouteSheets);
  fileMenu_->addSeparator();
  recentPlaceholder_ = fileMenu_->addAction(QStringLiteral("Recent File"));
  recentPlaceholder_->setEnabled(false);
  recentSeparator_ = fileMenu_->addSeparator();
  QAction* exit = addCommand(fileMenu_, C::Exit, QStringLiteral("E&xit"), nullptr);
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(exit, &QAction::triggered, this, &QWidget::close);

  buildEditMenu();

  QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
  QAction* toolbar = addCommand(viewMenu, C::Toolbar, QStringLiteral("&Toolbar"), nullptr);
  toolbar->setCheckable(true);
  toolbar->setChecked(true);
  connect(toolbar, &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
  QAction* statusBarItem = addCommand(viewMenu, C::StatusBar, QStringLiteral("&Status Bar"), nullptr);
  statusBarItem->setCheckable(true);
  statusBarItem->setChecked(true);
  connect(statusBarItem, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
  viewMenu->addSeparator();
  addCommand(viewMenu, C::ShowBackground, QStringLiteral("Show &Background"), &V::showBackground);
  addCommand(viewMenu, C::HideBackground, QStringLiteral("&Hide Background"), &V::hideBackground);
  addCommand(viewMenu, C::ShowLocations, QStringLiteral("Show &Locations"), &V::showLocations);
  addCommand(viewMenu, C::HideLocations, QStringLiteral("Hide Locations"), &V::hideLocations);
  addCommand(viewMenu, C::ShowRoutes, QStringLiteral("Show &Routes"), &V::showRoutes);
  addCommand(viewMenu, C::HideRoutes, QStringLiteral("Hide Routes"), &V::hideRoutes);
  addCommand(viewMenu, C::SelectRoute, QStringLiteral("Se&lect Route"), &V::selectRoute);
  addCommand(viewMenu, C::RouteInfos, QStringLiteral("Route &Infos"), &V::routeInfos);
  addCommand(viewMenu, C::UnplannedOrders, QStringLiteral("Unplanned orders"), &V::unplannedOrders);

  QMenu* dataMenu = menuBar()->addMenu(QStringLiteral("&Data"));
  addCommand(dataMenu, C::Vehicles, QStringLiteral("&Vehicles"), &V::vehicles);
  addCommand(dataMenu, C::VehicleTypes, QStringLiteral("Vehicle &Types"), &V::vehicleTypes);
  addCommand(dataMenu, C::Countries, QStringLiteral("&Countries"), &V::countries);
  addCommand(dataMenu, C::Regions, QStringLiteral("&Regions"), &V::regions);
  addCommand(dataMenu, C::Places, QStringLiteral("&Places"), &V::places);
  addCommand(dataMenu, C::Orders, QStringLiteral("&Orders"), &V::orders);
  addCommand(dataMenu, C::Clients, QStringLiteral("C&lients"), &V::clients);
  addCommand(dataMenu, C::ArticleTypes, QStringLiteral("&Article Types"), &V::articleTypes);

  QMenu* runMenu = menuBar()->addMenu(QStringLiteral("&Optimization"));
  addCommand(runMenu, C::LocalSearch, QStringLiteral("&Local Search\tF2"), &V::localSearch)->setShortcut(Qt::Key_F2);
  addCommand(runMenu, C::Stop, QStringLiteral("Stop"), &V::stop);
  addCommand(runMenu, C::NumberOfIterations, QStringLiteral("&Number of iterations"), &V::numberOfIterations);
  addCommand(runMenu, C::HybridGenetic, QStringLiteral("&Hybrid Genetic Algorithm\tF3"), &V::hybridGenetic)
      ->setShortcut(Qt::Key_F3);
  addCommand(runMenu, C::Genetic, QStringLiteral("&Genetic Algorithm\tF4"), &V::genetic)->setShortcut(Qt::Key_F4);
  addCommand(runMenu, C::ThoroughSearch, QStringLiteral("&Thorough Search\tF5"), &V::thoroughSearch)
      ->setShortcut(Qt::Key_F5);
  addCommand(runMenu, C::ReplanFrom, QStringLiteral("Re-plan &from..."), &V::replanFrom)
      ->setStatusTip(QStringLiteral("Plan anew from a time, keeping every stop started before it"));

  QMenu* optionsMenu = menuBar()->addMenu(QStringLiteral("O&ptions"));
  addCommand(optionsMenu, C::Visualization, QStringLiteral("&Visualization..."), &V::visualization);
  addCommand(optionsMenu, C::OptimizationOptions, QStringLiteral("&Optimization ..."), &V::optimizationOptions);

  QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
  QAction* aboutItem = addCommand(helpMenu, C::About, QStringLiteral("&About Tamso..."), nullptr);
  aboutItem->setToolTip(QStringLiteral("About"));
  connect(aboutItem, &QAction::triggered, this, &CMainFrame::about);

  // The zoom commands of the toolbar, with their keys, and Zoom to Fit follow the View items.
  viewMenu->addSeparator();
  QAction* zoomIn = addCommand(viewMenu, C::ZoomIn, QStringLiteral("Zoom in"), &V::zoomIn);
  zoomIn->setStatusTip(QStringLiteral("Zoom in by 10%"));
  zoomIn->setToolTip(QStringLiteral("Zoom in"));
  zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  QAction* zoomOut = addCommand(viewMenu, C::ZoomOut, QStringLiteral("Zoom out"), &V::zoomOut);
  zoomOut->setStatusTip(QStringLiteral("Zoom out by 10%"));
  zoomOut->setToolTip(QStringLiteral("Zoom out"));
  zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  QAction* fit = addCommand(viewMenu, C::ZoomToFit, QStringLiteral("Zoom to &Fit\tCtrl+0"), &V::zoomToFit);
  fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  fit->setStatusTip(QStringLiteral("Show every place, or the whole map, in the window"));
}

// Undo and Redo follow the plan's history; their texts name the change ("&Undo Local Search").
void CMainFrame::buildEditMenu() {
  QMenu* editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
  QUndoStack& history = view_->document().history().stack();
  undo_ = history.createUndoAction(this, QStringLiteral("&Undo"));
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_ = history.createRedoAction(this, QStringLiteral("&Redo"));
  redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  editMenu->addAction(undo_);
  editMenu->addAction(redo_);
  editMenu->addSeparator();
  QAction* find = addCommand(editMenu, Command::Find, QStringLiteral("&Find...\tCtrl+F"), &CTamsoView::find);
  find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  find->setStatusTip(QStringLiteral("Find an order, client, place or vehicle by its name"));
}

void CMainFrame::buildToolBar() {
  toolBar_ = addToolBar(QStringLiteral("Toolbar"));
  toolBar_->setObjectName(QStringLiteral("mainToolBar"));
  toolBar_->setIconSize(QSize(16, 15));
  toolBar_->setMovable(true);
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  QStyle* s = style();
  action(Command::OpenDataFile)->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  action(Command::Save)->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  action(Command::ZoomIn)->setIcon(s->standardIcon(QStyle::SP_ArrowUp));
  action(Command::ZoomOut)->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
  action(Command::About)->setIcon(s->standardIcon(QStyle::SP_MessageBoxQuestion));
  toolBar_->addAction(action(Command::OpenDataFile));
  toolBar_->addAction(action(Command::Save));
  toolBar_->addSeparator();
  toolBar_->addAction(action(Command::ZoomIn));
  toolBar_->addAction(action(Command::ZoomOut));
  toolBar_->addSeparator();
  toolBar_->addAction(action(Command::About));
}

void CMainFrame::buildStatusBar() {
  messagePane_ = new QLabel(kReady, this);
  statusBar()->addWidget(messagePane_, 1);
  summaryPane_ = new QLabel(this);
  statusBar()->addPermanentWidget(summaryPane_);
  for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
    auto* pane = new QLabel(QString::fromLatin1(indicator), this);
    pane->setEnabled(false);
    statusBar()->addPermanentWidget(pane);
  }
}

void CMainFrame::setMessage(const QString& text) { messagePane_->setText(text); }

QString CMainFrame::messagePaneText() const { return messagePane_->text(); }

void CMainFrame::refreshCommandStates() {
  const MenuStates& states = view_->menuStates();
  for (const auto& [command, act] : actions_) act->setEnabled(states.isEnabled(command));
  for (QAction* act : recentActions_) act->setEnabled(states.isEnabled(Command::RecentFiles));
}

void CMainFrame::rebuildRecentFiles() {
  for (QAction* act : recentActions_) {
    fileMenu_->removeAction(act);
    act->deleteLater();
  }
  recentActions_.clear();
  const QStringList files = RecentFiles(settings_).files();
  recentPlaceholder_->setVisible(files.isEmpty());
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    auto* act = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this);
    act->setStatusTip(path);
    act->setData(path);
    connect(act, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    fileMenu_->insertAction(recentSeparator_, act);
    recentActions_ << act;
  }
  refreshCommandStates();
}

// The file comes back with the map and the options it was last used with.
void CMainFrame::openRecentFile(const QString& path) {
  if (!QFileInfo::exists(path)) {
    RecentFiles(settings_).remove(path);
    rebuildRecentFiles();
  }
  if (view_->running() || !view_->mayDiscardPlan()) return;
  const std::optional<DataFileUse> use = RecentFiles(settings_).use(path);
  if (const std::optional<QString> error = view_->openDataFilePath(path, true)) {
    prompts_.message(this, *error);
    return;
  }
  if (use) view_->restoreUse(*use);
}

void CMainFrame::about() {
  auto* dialog = new CAboutDlg(this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!view_->mayDiscardPlan()) {
    event->ignore();
    return;
  }
  view_->stopAndWait();
  saveWindow();
  QMainWindow::closeEvent(event);
}

QString CMainFrame::summaryText() const { return summaryPane_->text(); }

void CMainFrame::saveWindow() {
  settings_.setValue(kGeometryKey, saveGeometry());
  settings_.setValue(kStateKey, saveState());
  settings_.sync();
}

void CMainFrame::restoreWindow() {
  restoreGeometry(settings_.value(kGeometryKey).toByteArray());
  restoreState(settings_.value(kStateKey).toByteArray());
}

namespace {

// The one local file being dragged, or an empty text.
QString droppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  return url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile() ? url.toLocalFile() : QString();
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QString path = droppedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  view_->openDroppedFile(path);
}

}  // namespace tamso::ui
