// The dispatcher's desk: runs that never lose a better plan, undo and redo of plan changes, the
// title and the questions before a changed plan is lost, recent files with their map and
// options, finding by name, route sheets, the new data lists and where window runs trace.
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QtTest>
#include <sstream>

#include "cli/cli.h"
#include "problem/instance_generator.h"
#include "routing/solution.h"
#include "tests/ui/shell_fixture.h"
#include "ui/data_dialogs.h"
#include "ui/find_dialog.h"
#include "ui/iterations_dialog.h"
#include "ui/tamso_app.h"

using namespace tamso;
using namespace tamso::ui;
using tamso::shelltest::Shell;

namespace {

const Solution* shownPlan(Shell& shell) { return shell.view().layer().solution(); }

// A problem big enough that a run stopped at once has planned little.
void openBigProblem(Shell& shell) {
  QVERIFY(!generateInstance(shell.dir.filePath("big").toStdString(), GeneratorSettings{200, 400, 100, 5}));
  shell.openData(shell.dir.filePath("big/instance.cfg"));
}

// Starts the command and stops it at once; what the window showed when the first message came.
struct StopSeen {
  QString status;
  int progress = -1;
  int progressMaximum = 0;
};
StopSeen runAndStop(Shell& shell, Command command) {
  StopSeen seen;
  shell.prompts.onMessage = [&](const QString&) {
    seen.status = shell.frame.messagePaneText();
    if (auto* progress = shell.view().findChild<QProgressDialog*>()) {
      seen.progress = progress->value();
      seen.progressMaximum = progress->maximum();
    }
  };
  QSignalSpy finished(&shell.view(), &CTamsoView::runFinished);
  shell.action(command)->trigger();
  shell.action(Command::Stop)->trigger();
  finished.wait(120000);
  shell.prompts.onMessage = nullptr;
  return seen;
}

}  // namespace

class DispatcherDeskTest : public QObject {
  Q_OBJECT

 private slots:
  // A stopped run offers its best plan; the worse one is kept only when asked for, and every
  // plan that reached the map can be undone and redone.
  void stoppedRunsAskBeforeAWorsePlanAndEveryPlanCanBeUndone() {
    Shell shell;
    openBigProblem(shell);
    QCOMPARE(shell.frame.windowTitle(), QString("instance.cfg[*] - Tamso"));
    QVERIFY(!shell.frame.isWindowModified() && !shell.frame.undoAction()->isEnabled());
    shell.view().setSeed(2);
    QVERIFY(shell.runAndWait(Command::LocalSearch));
    const Solution* planned = shownPlan(shell);
    const float plannedGain = planned->gain();
    QVERIFY(shell.frame.isWindowModified());
    QCOMPARE(shell.frame.undoAction()->text(), QString("&Undo Local Search"));

    // Keep (the answer without one), then show the worse plan: the gains tell which is shown.
    for (const int answer : {0, 1}) {
      shell.prompts.askAnswers = {answer};
      const StopSeen seen = runAndStop(shell, Command::LocalSearch);
      QVERIFY2(shell.prompts.lastMessage().contains("is worse than the plan on the map"),
               qPrintable(shell.prompts.lastMessage()));
      QCOMPARE(seen.status, QString("Ready"));
      QCOMPARE(seen.progress, seen.progressMaximum);
      QCOMPARE(shownPlan(shell)->gain() == plannedGain, answer == 0);
    }
    // Undo brings the better plan back, undo again the empty map; redo walks forward again.
    shell.frame.undoAction()->trigger();
    QCOMPARE(shownPlan(shell)->gain(), plannedGain);
    shell.frame.undoAction()->trigger();
    QVERIFY(shownPlan(shell) == nullptr && !shell.enabled(Command::RouteInfos));
    QVERIFY(!shell.frame.isWindowModified());
    shell.frame.redoAction()->trigger();
    QCOMPARE(shownPlan(shell)->gain(), plannedGain);
    QVERIFY(shell.view().layer().showRoutes && shell.enabled(Command::PrintRouteSheets));

    // A stopped evolutionary run gives nothing or a whole plan, never a part of one.
    shell.prompts.askAnswers = {1};
    runAndStop(shell, Command::Genetic);
    const Solution* plan = shownPlan(shell);
    std::size_t orders = plan->unplanned().size();
    for (const Route& route : plan->routes()) orders += static_cast<std::size_t>(route.orderCount());
    QCOMPARE(orders, shell.view().problem().orders.size());
  }

  // Closing, opening and dropping another data file ask first while the plan is changed;
  // without an answer nothing is lost.
  void aChangedPlanIsNotLostWithoutAsking() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    shell.view().setSeed(1);
    QVERIFY(shell.runAndWait(Command::LocalSearch));
    const Solution* plan = shownPlan(shell);
    const QString tiny = shelltest::tinyCopy(shell.dir);
    const std::function<void()> losers[] = {
        [&] { shell.frame.close(); },
        [&] { shell.openData(tiny); },
        [&] { shell.view().openDroppedFile(tiny); },
    };
    for (const auto& lose : losers) {
      shell.frame.show();
      shell.prompts.messages.clear();
      lose();
      QCOMPARE(shell.prompts.lastMessage(), kDiscardPlanQuestion);
      QVERIFY(shell.frame.isVisible());
      QCOMPARE(shownPlan(shell), plan);
    }
    shell.prompts.askAnswers = {1};
    shell.view().openDroppedFile(tiny);
    QVERIFY(shownPlan(shell) == nullptr);
    QCOMPARE(shell.frame.windowTitle(), QString("tiny.cfg[*] - Tamso"));
    QVERIFY(!shell.frame.isWindowModified());
  }

  // A recent data file reopens with the map and the options it was last used with.
  void aRecentFileBringsBackItsMapAndOptions() {
    Shell shell;
    const QString europe = shelltest::europeCopy(shell.dir);
    shell.openData(europe);
    shell.openMap(shelltest::pictureMap(shell.dir, 600, 600));
    shell.action(Command::NumberOfIterations)->trigger();
    auto* dialog = shell.frame.findChild<IterationsDialog*>();
    QVERIFY(dialog != nullptr);
    dialog->edit()->setText("7");
    dialog->accept();
    const QString map = shell.view().document().mapParamsFile();

    // Another file with another map and options.
    QTemporaryDir other;
    shell.openData(shelltest::tinyCopy(shell.dir));
    shell.openMap(shelltest::pictureMap(other, 300, 300));
    shell.action(Command::NumberOfIterations)->trigger();
    dialog = shell.frame.findChild<IterationsDialog*>();
    dialog->edit()->setText("2");
    dialog->accept();
    QVERIFY(shell.view().document().mapParamsFile() != map);
    QCOMPARE(shell.frame.recentFileActions().size(), 2);
    shell.frame.recentFileActions()[1]->trigger();
    QCOMPARE(shell.view().document().dataFile(), QFileInfo(europe).absoluteFilePath());
    QCOMPARE(shell.view().iterationCount(), 7);
    QCOMPARE(shell.view().document().mapParamsFile(), map);
    QVERIFY(shell.view().layer().backgroundShown);
  }

  // Part of a name finds orders, clients, places and vehicles; showing one selects the route
  // serving it and centres the map on its place.
  void findSelectsAndCentres() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    shell.view().setSeed(1);
    QVERIFY(shell.runAndWait(Command::LocalSearch));
    const ProblemData& problem = shell.view().problem();
    const Route* served = nullptr;
    for (const Route& route : shownPlan(shell)->routes()) served = route.stopCount() > 0 ? &route : served;
    const Order& order = *served->stops().front().order;
    shell.action(Command::Find)->trigger();
    auto* dialog = shell.view().findChild<FindDialog*>();
    QVERIFY(dialog != nullptr);
    struct Case {
      std::string text;
      std::string firstName;
    };
    const Case cases[] = {{order.name, order.name},
                          {QString::fromStdString(order.name).toLower().toStdString(), order.name},
                          {problem.places.back().name, problem.places.back().name},
                          {problem.vehicles.back().name, problem.vehicles.back().name}};
    for (const Case& c : cases) {
      const std::vector<FoundItem> found = findByName(problem, shownPlan(shell), c.text);
      QVERIFY(!found.empty());
      for (const FoundItem& item : found) {
        QVERIFY(QString::fromStdString(item.name).contains(QString::fromStdString(c.text), Qt::CaseInsensitive));
      }
      QVERIFY(std::any_of(found.begin(), found.end(), [&](const FoundItem& f) { return f.name == c.firstName; }));
    }
    QVERIFY(findByName(problem, nullptr, "").empty());
    dialog->edit()->setText(QString::fromStdString(order.name));
    QCOMPARE(dialog->matches()->count(), static_cast<int>(findByName(problem, nullptr, order.name).size()));
    QVERIFY(dialog->showMatch(0));
    const MapRoute* selected = shell.view().layer().selectedRoute();
    QVERIFY(selected != nullptr && &selected->route->vehicle() == &served->vehicle());
    const IntPoint at = shell.view().layer().project(*order.pickupPlace);
    const QPoint inView = QPoint(at.x, at.y) - shell.view().scrollPosition();
    QVERIFY(qAbs(inView.x() - 250) <= 1 || shell.view().scrollPosition().x() == 0);
    QCOMPARE(shell.frame.messagePaneText(), "order " + QString::fromStdString(order.name));
    // One find window at a time; another problem closes it, its matches named the old one.
    shell.action(Command::Find)->trigger();
    QCOMPARE(shell.view().findChildren<FindDialog*>().size(), 1);
    const QPointer<FindDialog> open = dialog;
    shell.prompts.askAnswers = {1};
    shell.openData(shelltest::tinyCopy(shell.dir));
    QVERIFY(!open || !open->isVisible());
  }

  // Every used route has its sheet: its stops in order and the text report's totals; the PDF
  // has a page for each and never replaces an input.
  void routeSheetsFollowThePlan() {
    Shell shell;
    const QString config = shelltest::europeCopy(shell.dir);
    shell.openData(config);
    shell.view().setSeed(3);
    QVERIFY(shell.runAndWait(Command::LocalSearch));
    Solution& plan = *shell.view().layer().solution();
    const std::vector<RouteSheet> sheets = shell.view().routeSheetsOf();
    std::ostringstream report, err;
    QCOMPARE(cli::runCli({"plan", config.toStdString(), "--seed", "3"}, report, err), 0);
    std::size_t sheet = 0;
    for (Route& route : plan.routes()) {
      if (route.stops().empty()) continue;
      const RouteSheet& s = sheets.at(sheet++);
      QVERIFY(s.title.find(route.vehicle().name) != std::string::npos);
      std::size_t stop = 0;
      for (const std::vector<std::string>& row : s.rows) {
        QCOMPARE(row.size(), s.columns.size());
        if (row[1] != "PICKUP" && row[1] != "DELIVERY") continue;
        QCOMPARE(row[2], route.stops()[stop++].order->name);
      }
      QCOMPARE(stop, route.stops().size());
      const std::string km = ", " + s.totals[3].second + ", driving ";
      QVERIFY2(report.str().find("vehicle " + route.vehicle().name + ", gain " + s.totals.back().second) !=
                   std::string::npos,
               s.title.c_str());
      QVERIFY(report.str().find(km) != std::string::npos);
    }
    QCOMPARE(sheet, sheets.size());

    StartOptions options;
    options.config = config;
    options.localSearch = true;
    options.seed = 3;
    options.routeSheets = shell.dir.filePath("sheets.pdf");
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 0);
    QFile pdf(options.routeSheets);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), static_cast<qsizetype>(sheets.size()));
    QVERIFY(shell.view().writeRouteSheetsTo(config).has_value());
    options.routeSheets = config;
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 1);
  }

  void newDataListsShowEveryRecord() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    const ProblemData& problem = shell.view().problem();
    const ProblemData* loaded = &problem;
    OrdersDialog orders(nullptr, loaded);
    ClientsDialog clients(nullptr, loaded);
    ArticleTypesDialog articles(nullptr, loaded);
    struct List {
      DataListDialog* dialog;
      std::size_t rows;
      std::string first;
    };
    const List lists[] = {{&orders, problem.orders.size(), problem.orders[0].name},
                          {&clients, problem.clients.size(), problem.clients[0].name},
                          {&articles, problem.articleTypes.size(), problem.articleTypes[0].name()}};
    for (const List& list : lists) {
      QCOMPARE(list.dialog->list()->rowCount(), static_cast<int>(list.rows));
      QCOMPARE(list.dialog->list()->cellText(0, 0), QString::fromStdString(list.first));
    }
  }

  // The window's runs trace into the folder it names; nothing lands beside the data.
  void windowRunsTraceIntoTheirFolder() {
    Shell shell;
    shell.openData(shelltest::europeCopy(shell.dir));
    const QString folder = shell.dir.filePath("trace");
    QDir().mkpath(folder);
    shell.view().setDumpFolder(folder);
    QVERIFY(shell.runAndWait(Command::LocalSearch));
    QCOMPARE(shell.prompts.lastMessage(), "finished\nThe run's trace files are in " + folder);
    QVERIFY(QFile::exists(folder + "/total.dump"));
    QVERIFY(!QFile::exists(QDir::current().filePath("total.dump")));
  }
};

QTEST_MAIN(DispatcherDeskTest)
#include "dispatcher_desk_test.moc"
