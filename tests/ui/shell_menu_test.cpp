// The main window's menus, toolbar and status bar; the enabling table; recent files and the
// command line.
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>
#include <set>
#include <variant>

#include "tests/ui/shell_fixture.h"
#include "ui/recent_files.h"
#include "ui/start_options.h"

using namespace tamso;
using namespace tamso::ui;
using tamso::shelltest::Shell;

namespace {

std::vector<Command> allCommands() {
  std::vector<Command> all;
  for (std::size_t i = 0; i < static_cast<std::size_t>(Command::Count); ++i) all.push_back(static_cast<Command>(i));
  return all;
}

QMenu* menuNamed(QMainWindow& window, const QString& title) {
  for (QAction* a : window.menuBar()->actions()) {
    if (a->menu() != nullptr && a->text() == title) return a->menu();
  }
  return nullptr;
}

QStringList itemTexts(QMenu* menu) {
  QStringList texts;
  for (QAction* a : menu->actions()) {
    if (!a->isSeparator() && a->isVisible()) texts << a->text();
  }
  return texts;
}

}  // namespace

class ShellMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void menusCarryTheirTextsAndAccelerators() {
    Shell shell;
    QStringList titles;
    for (QAction* a : shell.frame.menuBar()->actions()) titles << a->text();
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&View", "&Data", "&Optimization", "O&ptions", "&Help"}));
    QCOMPARE(itemTexts(menuNamed(shell.frame, "&Edit")), QStringList({"&Undo", "&Redo", "&Find...\tCtrl+F"}));
    QCOMPARE(itemTexts(menuNamed(shell.frame, "&View")),
             QStringList({"&Toolbar", "&Status Bar", "Show &Background", "&Hide Background", "Show &Locations",
                          "Hide Locations", "Show &Routes", "Hide Routes", "Se&lect Route", "Route &Infos",
                          "Unplanned orders", "Zoom in", "Zoom out", "Zoom to &Fit\tCtrl+0"}));
    QCOMPARE(itemTexts(menuNamed(shell.frame, "&Data")),
             QStringList({"&Vehicles", "Vehicle &Types", "&Countries", "&Regions", "&Places", "&Orders", "C&lients",
                          "&Article Types"}));
    QCOMPARE(itemTexts(menuNamed(shell.frame, "&Optimization")),
             QStringList({"&Local Search\tF2", "Stop", "&Number of iterations", "&Hybrid Genetic Algorithm\tF3",
                          "&Genetic Algorithm\tF4", "&Thorough Search\tF5", "Re-plan &from..."}));
    QCOMPARE(itemTexts(menuNamed(shell.frame, "O&ptions")), QStringList({"&Visualization...", "&Optimization ..."}));
    QCOMPARE(itemTexts(menuNamed(shell.frame, "&Help")), QStringList({"&About Tamso..."}));
    const QStringList file = itemTexts(menuNamed(shell.frame, "&File"));
    QCOMPARE(file.mid(0, 9), QStringList({"&Open data file...\tCtrl+O", "Open &map params...", "Open &Plan...",
                                          "Save P&lan", "Save Plan As...", "&Save\tCtrl+S", "Save &As...",
                                          "Save &Report...", "Export map picture..."}));
    QCOMPARE(file.last(), QString("E&xit"));

    QCOMPARE(shell.action(Command::OpenDataFile)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(shell.action(Command::Save)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(shell.action(Command::LocalSearch)->shortcut(), QKeySequence(Qt::Key_F2));
    QCOMPARE(shell.action(Command::HybridGenetic)->shortcut(), QKeySequence(Qt::Key_F3));
    QCOMPARE(shell.action(Command::Genetic)->shortcut(), QKeySequence(Qt::Key_F4));
    QCOMPARE(shell.action(Command::ThoroughSearch)->shortcut(), QKeySequence(Qt::Key_F5));
  }

  void toolbarAndStatusBar() {
    Shell shell;
    QCOMPARE(shell.frame.windowTitle(), QString("Tamso"));
    QCOMPARE(shell.frame.messagePaneText(), QString("Ready"));
    const QList<QAction*> buttons = shell.frame.mainToolBar()->actions();
    QCOMPARE(buttons.size(), 7);
    QCOMPARE(buttons[0], shell.action(Command::OpenDataFile));
    QCOMPARE(buttons[1], shell.action(Command::Save));
    QVERIFY(buttons[2]->isSeparator());
    QCOMPARE(buttons[3], shell.action(Command::ZoomIn));
    QCOMPARE(buttons[4], shell.action(Command::ZoomOut));
    QVERIFY(buttons[5]->isSeparator());
    QCOMPARE(buttons[6], shell.action(Command::About));
    QCOMPARE(shell.action(Command::ZoomIn)->statusTip(), QString("Zoom in by 10%"));
    QCOMPARE(shell.action(Command::ZoomIn)->toolTip(), QString("Zoom in"));
    QCOMPARE(shell.action(Command::ZoomOut)->statusTip(), QString("Zoom out by 10%"));
    QCOMPARE(shell.action(Command::OpenDataFile)->statusTip(), QString("Open data file"));
  }

  void startStateOfEveryItem() {
    Shell shell;
    const std::set<Command> disabled{Command::HideBackground,
                                     Command::ShowLocations,
                                     Command::HideLocations,
                                     Command::ShowRoutes,
                                     Command::HideRoutes,
                                     Command::SelectRoute,
                                     Command::RouteInfos,
                                     Command::UnplannedOrders,
                                     Command::LocalSearch,
                                     Command::Stop,
                                     Command::HybridGenetic,
                                     Command::Genetic,
                                     Command::ThoroughSearch,
                                     Command::ZoomIn,
                                     Command::ZoomOut,
                                     Command::ZoomToFit,
                                     Command::Find,
                                     Command::PrintRouteSheets,
                                     Command::ExportRouteSheets};
    for (Command c : allCommands()) {
      if (c == Command::RecentFiles) continue;
      QVERIFY2(shell.enabled(c) == !disabled.count(c), qPrintable(shell.action(c)->text()));
    }
  }

  void eachEventSetsExactlyItsItems_data() {
    QTest::addColumn<int>("event");
    QTest::addColumn<QList<int>>("enabled");
    QTest::addColumn<QList<int>>("disabled");
    const auto row = [](const char* name, MenuEvent e, std::initializer_list<Command> on,
                        std::initializer_list<Command> off) {
      QList<int> a, b;
      for (Command c : on) a << int(c);
      for (Command c : off) b << int(c);
      QTest::newRow(name) << int(e) << a << b;
    };
    using C = Command;
    row("data loaded", MenuEvent::DataLoaded,
        {C::LocalSearch, C::HybridGenetic, C::Genetic, C::ThoroughSearch, C::ShowLocations, C::Find}, {});
    row("map loaded", MenuEvent::MapLoaded, {C::HideBackground}, {C::ShowBackground});
    row("background shown", MenuEvent::BackgroundShown, {C::HideBackground}, {C::ShowBackground});
    row("background hidden", MenuEvent::BackgroundHidden, {C::ShowBackground}, {C::HideBackground});
    row("locations shown", MenuEvent::LocationsShown, {C::HideLocations}, {C::ShowLocations});
    row("locations hidden", MenuEvent::LocationsHidden, {C::ShowLocations}, {C::HideLocations});
    row("routes shown", MenuEvent::RoutesShown, {C::HideRoutes, C::SelectRoute}, {C::ShowRoutes});
    row("routes hidden", MenuEvent::RoutesHidden, {C::ShowRoutes}, {C::HideRoutes, C::SelectRoute});
    row("local search finished", MenuEvent::LocalSearchFinished,
        {C::ShowRoutes, C::RouteInfos, C::UnplannedOrders, C::PrintRouteSheets, C::ExportRouteSheets}, {});
  }

  void eachEventSetsExactlyItsItems() {
    QFETCH(int, event);
    QFETCH(QList<int>, enabled);
    QFETCH(QList<int>, disabled);
    // Every item not named by the event keeps its start state.
    const MenuStates before;
    MenuStates states = before;
    states.apply(MenuEvent(event));
    for (Command c : allCommands()) {
      bool expected = before.tableState(c);
      if (enabled.contains(int(c))) expected = true;
      if (disabled.contains(int(c))) expected = false;
      QVERIFY2(states.tableState(c) == expected, qPrintable(QString::number(int(c))));
    }
  }

  void statesFollowEventsNotTheMap() {
    MenuStates states;
    states.apply(MenuEvent::LocalSearchFinished);
    states.apply(MenuEvent::RoutesShown);
    states.apply(MenuEvent::LocalSearchFinished);
    QVERIFY(states.isEnabled(Command::ShowRoutes));
    QVERIFY(states.isEnabled(Command::HideRoutes));
  }

  void aRunBlocksLoadingAndOtherRunsOnly() {
    MenuStates states;
    states.apply(MenuEvent::DataLoaded);
    const MenuStates idle = states;
    states.setRunning(true);
    for (Command c : allCommands()) {
      if (c == Command::Stop)
        QVERIFY(states.isEnabled(c));
      else if (MenuStates::blockedWhileRunning(c))
        QVERIFY(!states.isEnabled(c));
      else
        QCOMPARE(states.isEnabled(c), idle.isEnabled(c));
    }
    QVERIFY(MenuStates::blockedWhileRunning(Command::OpenDataFile));
    QVERIFY(MenuStates::blockedWhileRunning(Command::LocalSearch));
    QVERIFY(!MenuStates::blockedWhileRunning(Command::ShowLocations));
    states.setRunning(false);
    for (Command c : allCommands()) QCOMPARE(states.isEnabled(c), idle.isEnabled(c));
  }

  void recentFilesKeepFourNewestFirst() {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("recent.ini"), QSettings::IniFormat);
    RecentFiles recent(settings);
    for (const char* name : {"/a/1.cfg", "/a/2.cfg", "/a/3.cfg", "/a/4.cfg", "/a/5.cfg"}) recent.add(name);
    QCOMPARE(recent.files(), QStringList({"/a/5.cfg", "/a/4.cfg", "/a/3.cfg", "/a/2.cfg"}));
    recent.add("/a/3.cfg");
    QCOMPARE(recent.files(), QStringList({"/a/3.cfg", "/a/5.cfg", "/a/4.cfg", "/a/2.cfg"}));
    recent.remove("/a/5.cfg");
    QCOMPARE(recent.files(), QStringList({"/a/3.cfg", "/a/4.cfg", "/a/2.cfg"}));
    QSettings reread(dir.filePath("recent.ini"), QSettings::IniFormat);
    QCOMPARE(RecentFiles(reread).files().size(), 3);
  }

  void commandLineIsRead() {
    const auto parsed = parseStartOptions({"data/x.cfg", "--map", "m.map", "--local-search", "--seed", "7",
                                           "--export-png", "o.png", "--size", "640x480"});
    const StartOptions* options = std::get_if<StartOptions>(&parsed);
    QVERIFY(options != nullptr);
    QCOMPARE(options->config, QString("data/x.cfg"));
    QCOMPARE(options->mapParams, QString("m.map"));
    QVERIFY(options->localSearch);
    QCOMPARE(*options->seed, 7u);
    QCOMPARE(options->exportPng, QString("o.png"));
    QCOMPARE(options->size, QSize(640, 480));

    const auto bare = parseStartOptions({});
    QVERIFY(std::holds_alternative<StartOptions>(bare));
    QVERIFY(std::get<StartOptions>(bare).config.isEmpty());
  }

  void commandLineFaultsAreRefused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown option") << QStringList{"--fast"};
    QTest::newRow("map without file") << QStringList{"x.cfg", "--map"};
    QTest::newRow("seed not a number") << QStringList{"x.cfg", "--seed", "abc"};
    QTest::newRow("negative seed") << QStringList{"x.cfg", "--seed", "-1"};
    QTest::newRow("seed too large") << QStringList{"x.cfg", "--seed", "4294967296"};
    QTest::newRow("size without height") << QStringList{"--size", "800"};
    QTest::newRow("zero size") << QStringList{"--size", "0x600"};
    QTest::newRow("two data files") << QStringList{"a.cfg", "b.cfg"};
    QTest::newRow("search without data") << QStringList{"--local-search"};
  }

  void commandLineFaultsAreRefused() {
    QFETCH(QStringList, arguments);
    QVERIFY(std::holds_alternative<QString>(parseStartOptions(arguments)));
  }
};

QTEST_MAIN(ShellMenuTest)
#include "shell_menu_test.moc"
