// Optimisation runs from the window: a seeded Local Search through F2, the plan on the map
// and in "total.dump", stopping a run, the plan report, and a new problem over an old plan
// (which also closes the route windows opened from the map).
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>
#include <sstream>

#include "cli/cli.h"
#include "problem/instance_generator.h"
#include "report/plan_csv.h"
#include "routing/solution.h"
#include "tests/ui/shell_fixture.h"
#include "ui/plan_report.h"
#include "ui/route_info_window.h"
#include "ui/short_info_window.h"

using namespace tamso;
using namespace tamso::ui;
using tamso::shelltest::Shell;

namespace {

QByteArray readAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

int stopCount(const Solution& plan) {
  int stops = 0;
  for (const Route& route : plan.routes()) stops += route.stopCount();
  return stops;
}

void processDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Opens the example and runs a seeded Local Search to its end.
void planExample(Shell& shell, std::uint32_t seed) {
  shell.openData(shelltest::europeCopy(shell.dir));
  shell.view().setSeed(seed);
  QVERIFY(shell.runAndWait(Command::LocalSearch));
}

}  // namespace

class RunControlTest : public QObject {
  Q_OBJECT

 private slots:
  void seededLocalSearchThroughF2ShowsItsRoutes() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    shell.action(Command::ShowLocations)->trigger();
    shell.view().setSeed(1);
    shell.frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&shell.frame));
    QSignalSpy finished(&shell.view(), &CTamsoView::runFinished);
    QTest::keyClick(&shell.frame, Qt::Key_F2);
    // While it runs, loading and other runs are blocked and Stop is offered.
    QVERIFY(shell.view().running());
    QVERIFY(shell.enabled(Command::Stop));
    QVERIFY(!shell.enabled(Command::LocalSearch));
    QVERIFY(!shell.enabled(Command::Genetic));
    QVERIFY(!shell.enabled(Command::OpenDataFile));
    QVERIFY(shell.enabled(Command::ShowBackground));
    QVERIFY(finished.wait(120000));
    QCOMPARE(finished.front().front().toBool(), false);

    QCOMPARE(shell.prompts.lastMessage(), QString("finished"));
    QVERIFY(!shell.enabled(Command::Stop));
    QVERIFY(shell.enabled(Command::LocalSearch));
    QVERIFY(shell.enabled(Command::OpenDataFile));
    // The routes are shown at once, as if Show Routes had been chosen.
    QVERIFY(shell.view().layer().showRoutes);
    QVERIFY(!shell.enabled(Command::ShowRoutes));
    QVERIFY(shell.enabled(Command::RouteInfos));
    QVERIFY(shell.enabled(Command::UnplannedOrders));
    const Solution* plan = shell.view().layer().solution();
    QVERIFY(plan != nullptr);

    shell.action(Command::ShowRoutes)->trigger();
    QVERIFY(shell.view().layer().routeCount() > 0);
    QVERIFY(shell.enabled(Command::HideRoutes));
    QVERIFY(shell.enabled(Command::SelectRoute));

    const QByteArray dump = readAll(QDir::current().filePath("total.dump"));
    QVERIFY(dump.startsWith(' '));
    QCOMPARE(dump.count('\n'), plan->routeCount() + 1);

    // The same seed plans the same again.
    QVERIFY(shell.runAndWait(Command::LocalSearch));
    QCOMPARE(readAll(QDir::current().filePath("total.dump")), dump);
    QVERIFY(shell.view().layer().solution() != plan);
  }

  void stoppingARunKeepsTheBetterEarlierPlan() {
    Shell shell;
    const GeneratorSettings big{200, 400, 100, 5};
    QVERIFY(!generateInstance(shell.dir.filePath("big").toStdString(), big));
    shell.openData(shell.dir.filePath("big/instance.cfg"));
    QVERIFY2(shell.prompts.messages.empty(), qPrintable(shell.prompts.lastMessage()));
    shell.view().setSeed(2);
    QVERIFY(shell.runAndWait(Command::LocalSearch));
    shell.action(Command::ShowRoutes)->trigger();
    const Solution* earlier = shell.view().layer().solution();
    const int routes = shell.view().layer().routeCount();
    QVERIFY(earlier != nullptr && routes > 0);

    for (Command command : {Command::LocalSearch, Command::HybridGenetic}) {
      QSignalSpy finished(&shell.view(), &CTamsoView::runFinished);
      shell.action(command)->trigger();
      QVERIFY(shell.view().findChild<QProgressDialog*>() != nullptr);
      // Stop at once: a Local Search of this size ends within a few tens of milliseconds.
      shell.action(Command::Stop)->trigger();
      QVERIFY(finished.wait(120000));
      QCOMPARE(finished.front().front().toBool(), true);
      // The run's best plan is worse, and without an answer the plan on the map stays.
      QVERIFY(shell.prompts.lastMessage().startsWith("Stopped"));
      QCOMPARE(shell.view().layer().solution(), earlier);
      QCOMPARE(shell.view().layer().routeCount(), routes);
      QVERIFY(!shell.enabled(Command::Stop));
      QVERIFY(shell.enabled(Command::LocalSearch));
      QVERIFY(shell.enabled(Command::HideRoutes));
    }
  }

  void cancelInTheProgressDialogStopsToo() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    QSignalSpy finished(&shell.view(), &CTamsoView::runFinished);
    shell.action(Command::Genetic)->trigger();
    auto* progress = shell.view().findChild<QProgressDialog*>();
    QVERIFY(progress != nullptr);
    QPushButton* cancel = progress->findChild<QPushButton*>();
    QVERIFY(cancel != nullptr);
    cancel->click();
    QVERIFY(finished.wait(120000));
    QCOMPARE(finished.front().front().toBool(), true);
    QVERIFY(shell.prompts.lastMessage().startsWith("Stopped"));
  }

  void closingTheWindowEndsARun() {
    auto shell = std::make_unique<Shell>();
    shell->openData(shelltest::europeCopy(shell->dir));
    shell->action(Command::HybridGenetic)->trigger();
    QVERIFY(shell->view().running());
    shell->frame.close();
    QVERIFY(!shell->view().running());
    shell.reset();
  }

  void saveWritesThePlanAsACsvReport() {
    Shell shell;
    shell.action(Command::Save)->trigger();
    QCOMPARE(shell.prompts.lastMessage(), kNoPlanMessage);

    planExample(shell, 3);
    Solution* plan = shell.view().layer().solution();
    QVERIFY(plan != nullptr);
    const QString path = shell.dir.filePath("plan.csv");
    shell.prompts.saveAnswers.push_back(path);
    shell.action(Command::SaveAs)->trigger();
    QCOMPARE(shell.prompts.lastMessage(), QString("finished"));
    const QList<QByteArray> lines = readAll(path).split('\n');
    const bool withLoad = plan->problem().checkCapacity;
    QCOMPARE(lines.front(),
             QByteArray(kPlanCsvStopHeader) + (withLoad ? ",load" : "") + (plan->driverRules() ? ",minutes\r" : "\r"));
    const Route* route = nullptr;
    int usedRoutes = 0;
    for (const Route& r : plan->routes()) {
      if (r.stopCount() > 0 && route == nullptr) route = &r;
      usedRoutes += r.stopCount() > 0 ? 1 : 0;
    }
    // header, a START row per used route, the stops and breaks and rests, the empty line
    // before the route totals
    int pauses = 0;
    int firstStop = -1;
    for (int k = 2; k < lines.size() && lines[k] != "\r"; ++k) {
      const QByteArray action = lines[k].split(',').value(2);
      const bool pause = action == "BREAK" || action == "DAILY REST" || action == "WEEKLY REST";
      pauses += pause ? 1 : 0;
      if (!pause && firstStop < 0) firstStop = k;
    }
    QCOMPARE(lines[1 + usedRoutes + stopCount(*plan) + pauses], QByteArray("\r"));
    const QList<QByteArray> start = lines[1].split(',');
    QCOMPARE(start.size(), 16 + (withLoad ? 1 : 0) + (plan->driverRules() ? 1 : 0));
    QCOMPARE(start[0], QByteArray::fromStdString(route->vehicle().name));
    QCOMPARE(start[2], QByteArray("START"));
    const QList<QByteArray> first = lines[firstStop].split(',');
    QCOMPARE(first[1], QByteArray("1"));
    QCOMPARE(first[2], QByteArray("PICKUP"));
    QCOMPARE(first[3], QByteArray::fromStdString(route->stops()[0].order->name));
    QVERIFY(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$").match(QString(first[11])).hasMatch());

    // "Save" writes to the same file again without asking.
    QFile::remove(path);
    shell.action(Command::Save)->trigger();
    QVERIFY(QFile::exists(path));

    QVERIFY(shell.view()
                .savePlanTo(shell.dir.filePath("no/such/folder/plan.csv"))
                ->startsWith(QString("Cannot write the file ") + shell.dir.filePath("no/such/folder/plan.csv")));
  }

  // The window's reports are the command line's: the same seeded run gives the same bytes.
  void saveReportWritesWhatTheCommandLinePrints() {
    Shell shell;
    planExample(shell, 3);
    const std::string config = shelltest::europeCopy(shell.dir).toStdString();
    for (const bool json : {false, true}) {
      const QString path = shell.dir.filePath(json ? "plan.json" : "plan.txt");
      shell.prompts.saveAnswers.push_back(path);
      shell.action(Command::SaveReport)->trigger();
      std::vector<std::string> args = {"plan", config, "--seed", "3"};
      if (json) args.push_back("--json");
      std::ostringstream out, err;
      QCOMPARE(cli::runCli(args, out, err), 0);
      QCOMPARE(readAll(path), QByteArray::fromStdString(out.str()));
    }
  }

  void csvFieldsAreQuotedOnlyWhenNeeded() {
    QCOMPARE(csvField("PARIS"), std::string("PARIS"));
    QCOMPARE(csvField("A,B"), std::string("\"A,B\""));
    QCOMPARE(csvField("say \"hi\""), std::string("\"say \"\"hi\"\"\""));
  }

  void loadingAnotherProblemDropsThePlan() {
    Shell shell;
    planExample(shell, 4);
    shell.action(Command::ShowLocations)->trigger();
    shell.action(Command::ShowRoutes)->trigger();
    QVERIFY(shell.view().layer().routeCount() > 0);

    shell.prompts.askAnswers.push_back(1);  // discard the plan
    shell.openData(shelltest::sourcePath("examples/tiny/tiny.cfg"));
    QVERIFY2(shell.prompts.lastMessage() == kDiscardPlanQuestion, qPrintable(shell.prompts.lastMessage()));
    const MapLayer& layer = shell.view().layer();
    QVERIFY(layer.solution() == nullptr);
    QCOMPARE(layer.routeCount(), 0);
    QVERIFY(!layer.showRoutes);
    // The locations shown are the new problem's places.
    QCOMPARE(layer.locations().size(), shell.view().problem().places.size());
    for (const MapPoint& point : layer.locations()) QVERIFY(point.place >= &shell.view().problem().places.front());
    for (Command c : {Command::ShowRoutes, Command::HideRoutes, Command::SelectRoute, Command::RouteInfos,
                      Command::UnplannedOrders})
      QVERIFY(!shell.enabled(c));
    QVERIFY(!shell.view().renderCanvas().isNull());
    shell.action(Command::Save)->trigger();
    QCOMPARE(shell.prompts.lastMessage(), kNoPlanMessage);
  }

  void routeWindowsFromTheMapCloseWhenTheirPlanOrProblemGoes() {
    Shell shell;
    planExample(shell, 5);
    shell.action(Command::ShowRoutes)->trigger();
    MapLayer& layer = shell.view().layer();
    QVERIFY(layer.routeCount() > 1);
    MapActions& actions = shell.view().mapActions();
    // Two stop lists (an earlier one stays open when another is opened) and a short info.
    auto openWindows = [&] {
      layer.selectRoute(0);
      actions.routeInfo();
      std::vector<QPointer<QDialog>> opened{actions.routeInfoWindow()};
      layer.selectRoute(1);
      actions.routeInfo();
      actions.shortInfo();
      opened.emplace_back(actions.routeInfoWindow());
      opened.emplace_back(actions.shortInfoWindow());
      return opened;
    };
    auto allClosed = [&](const std::vector<QPointer<QDialog>>& windows) {
      processDeletes();
      for (const QPointer<QDialog>& window : windows) {
        if (window) return false;
      }
      return actions.routeInfoWindow() == nullptr && actions.shortInfoWindow() == nullptr;
    };

    std::vector<QPointer<QDialog>> windows = openWindows();
    for (const QPointer<QDialog>& window : windows) QVERIFY(window && window->isVisible());
    QVERIFY(windows[0] != windows[1]);

    // A stopped run keeps the plan, and with it the windows.
    QSignalSpy finished(&shell.view(), &CTamsoView::runFinished);
    shell.action(Command::Genetic)->trigger();
    shell.action(Command::Stop)->trigger();
    QVERIFY(finished.wait(120000));
    QCOMPARE(finished.front().front().toBool(), true);
    processDeletes();
    for (const QPointer<QDialog>& window : windows) QVERIFY(window && window->isVisible());

    // A new plan replaces the routes they show.
    QVERIFY(shell.runAndWait(Command::LocalSearch));
    QVERIFY(allClosed(windows));
    shell.action(Command::ShowRoutes)->trigger();

    // A file that fails to load leaves problem, plan and windows as they were.
    windows = openWindows();
    QVERIFY(shell.view().openDataFilePath(shell.dir.filePath("missing.cfg"), false).has_value());
    processDeletes();
    for (const QPointer<QDialog>& window : windows) QVERIFY(window && window->isVisible());

    // Another problem: the windows named its predecessor's vehicles and places.
    shell.prompts.askAnswers.push_back(1);  // discard the plan
    shell.openData(shelltest::sourcePath("examples/tiny/tiny.cfg"));
    QVERIFY(allClosed(windows));
  }
};

QTEST_MAIN(RunControlTest)
#include "run_control_test.moc"
