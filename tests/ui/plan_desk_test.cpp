// The plan kept and changed in the window, through the commands of its menus: a plan saved
// with its locks and opened again, each step undone; locked routes and stops started before
// a re-plan time kept by every run; orders moved, removed and inserted, each step undone.
#include <QFileInfo>
#include <QMenu>
#include <QtTest>
#include <algorithm>
#include <limits>

#include "map/map_layer.h"
#include "map/stop_hit.h"
#include "problem/instance_generator.h"
#include "routing/plan_edits.h"
#include "routing/solution.h"
#include "tests/ui/shell_fixture.h"
#include "ui/report_list.h"
#include "ui/route_info_window.h"
#include "ui/tamso_app.h"
#include "ui/unplanned_orders_dialog.h"

using namespace tamso;
using namespace tamso::ui;
using tamso::shelltest::Shell;

namespace {

const Solution* shownPlan(Shell& shell) { return shell.view().document().history().current().plan.get(); }

// A small generated problem planned by a seeded Local Search.
void openPlanned(Shell& shell) {
  QVERIFY(!generateInstance(shell.dir.filePath("gen").toStdString(), GeneratorSettings{25, 40, 6, 7}));
  shell.openData(shell.dir.filePath("gen/instance.cfg"));
  shell.view().setSeed(3);
  shell.view().runLocalSearchNow();
  QVERIFY(shownPlan(shell) != nullptr);
}

// Every route's stops by order name (waiting stops as "wait"), and whether it is locked.
QStringList routesOf(const Solution& plan) {
  QStringList routes;
  for (const Route& route : plan.routes()) {
    QString line = route.closed() ? "locked:" : "";
    for (const RouteStop& stop : route.stops())
      line += QString::fromStdString(stop.order ? stop.order->name : "wait") + ' ';
    routes << line;
  }
  return routes;
}

// The busiest route, where the changes below are made.
std::int32_t busiestRoute(const Solution& plan) {
  const auto most = std::max_element(plan.routes().begin(), plan.routes().end(),
                                     [](const Route& a, const Route& b) { return a.orderCount() < b.orderCount(); });
  return static_cast<std::int32_t>(most - plan.routes().begin());
}

// The map's context menu on the route, opened on its stop (on its start for -1).
QMenu* mapMenu(Shell& shell, std::int32_t route, std::int32_t stop) {
  MapLayer& layer = shell.view().layer();
  layer.selectRoute(route);
  const MapPoint& at = layer.mapRoute(route)->points[static_cast<std::size_t>(stop + 1)];
  shell.view().mapActions().rightButtonDown({at.x, at.y}, {0, 0});
  return shell.view().mapActions().contextMenu();
}

void triggerItem(QMenu* menu, const QString& text) {
  QVERIFY(menu != nullptr);
  for (QAction* action : menu->actions()) {
    if (action->text() == text) return action->trigger();
  }
  QFAIL(qPrintable("no menu item " + text));
}

}  // namespace

class PlanDeskTest : public QObject {
  Q_OBJECT

 private slots:
  void aSavedPlanOpensAgainWithItsLocksAndEveryStepUndoes() {
    Shell shell;
    openPlanned(shell);
    const std::int32_t locked = busiestRoute(*shownPlan(shell));
    QVERIFY(shell.view().editor().setLocked(locked, true));
    const QStringList saved = routesOf(*shownPlan(shell));
    const QString file = shell.dir.filePath("day.json");
    shell.prompts.saveAnswers = {file};
    shell.action(Command::SavePlanAs)->trigger();
    QCOMPARE(shell.frame.windowTitle(), QString("day.json (instance.cfg)[*] - Tamso"));
    QVERIFY(!shell.frame.isWindowModified());

    // Undo the lock, then open the file: the saved plan with its lock is back, and undoing
    // the opening brings back the plan before it.
    shell.frame.undoAction()->trigger();
    QVERIFY(!anyRouteLocked(*shownPlan(shell)));
    const QStringList unlocked = routesOf(*shownPlan(shell));
    shell.prompts.askAnswers = {1};  // discard the undone lock
    shell.prompts.openAnswers = {file};
    shell.action(Command::OpenPlan)->trigger();
    QCOMPARE(routesOf(*shownPlan(shell)), saved);
    QCOMPARE(shell.frame.undoAction()->text(), QString("&Undo Open Plan"));
    shell.frame.undoAction()->trigger();
    QCOMPARE(routesOf(*shownPlan(shell)), unlocked);

    // No plan file is written over an input, and a file that is no plan is refused whole.
    const QString data = shell.dir.filePath("gen/instance.cfg");
    QVERIFY(shell.view().savePlanFileTo(data).value_or("").contains("input file"));
    const auto refused = shell.view().openPlanPath(data);
    QVERIFY(refused.has_value());
    QCOMPARE(routesOf(*shownPlan(shell)), unlocked);

    // Started with the plan, the picture of the map is drawn without a window.
    StartOptions options;
    options.config = data;
    options.plan = file;
    options.exportPng = shell.dir.filePath("day.png");
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 0);
    QVERIFY(QFileInfo(options.exportPng).size() > 0);
    options.exportPng = file;
    QCOMPARE(exportStartFiles(options, imageLoadLibrary()), 1);
  }

  // A run started in the window keeps a locked route; a re-plan after every stop has started
  // keeps every route; each is one step that undoes.
  void runsKeepLockedRoutesAndStartedStops_data() {
    QTest::addColumn<bool>("replan");
    QTest::newRow("locked route, Local Search") << false;
    QTest::newRow("re-plan from a time after the plan") << true;
  }
  void runsKeepLockedRoutesAndStartedStops() {
    QFETCH(bool, replan);
    Shell shell;
    openPlanned(shell);
    const std::int32_t locked = busiestRoute(*shownPlan(shell));
    triggerItem(mapMenu(shell, locked, -1), "Lock route");
    QVERIFY(shownPlan(shell)->route(locked)->closed());
    const QStringList before = routesOf(*shownPlan(shell));
    QSignalSpy finished(&shell.view(), &CTamsoView::runFinished);
    if (replan) {
      shell.view().replanAt(std::numeric_limits<std::int32_t>::max() / 2, RunCommand::LocalSearch);
    } else {
      shell.action(Command::LocalSearch)->trigger();
    }
    QVERIFY(finished.wait(120000));
    const QStringList after = routesOf(*shownPlan(shell));
    QCOMPARE(replan ? after : after.mid(locked, 1), replan ? before : before.mid(locked, 1));
    shell.frame.undoAction()->trigger();
    QCOMPARE(routesOf(*shownPlan(shell)), before);
  }

  // Removing from Route Info, moving from the map's menu and inserting from the unplanned
  // orders: each changes the total gain as offered and undoes to the plan before it.
  void ordersMoveLeaveAndReturnAsOffered() {
    Shell shell;
    openPlanned(shell);
    const std::int32_t source = busiestRoute(*shownPlan(shell));
    const Order& order = *shownPlan(shell)->route(source)->orderAt(0);
    const QStringList original = routesOf(*shownPlan(shell));
    RouteInfoWindow window(&shell.view());
    window.setEditor(&shell.view().editor());
    window.fill(*shownPlan(shell)->route(source));
    triggerItem(window.orderMenu(1), "Remove order from route");
    QCOMPARE(shownPlan(shell)->unplanned().back(), &order);

    // The unplanned orders insert it into the route first offered, best first.
    const std::vector<RouteOffer> offers = routeOffers(*shownPlan(shell), order);
    const float gain = shownPlan(shell)->gain();
    UnplannedOrdersDialog dialog(&shell.view(), *shownPlan(shell), &shell.view().editor());
    shell.prompts.chooseAnswers = {0};
    QVERIFY(dialog.insertRow(dialog.list()->rowCount() - 1));
    QCOMPARE(shell.prompts.offered.back().size(), offers.size());
    for (std::size_t i = 0; i < offers.size(); ++i) QCOMPARE(shell.prompts.offered.back()[i].enabled, offers[i].fits());
    QCOMPARE(routeOf(*shownPlan(shell), order), offers.front().route);
    QVERIFY(qAbs(shownPlan(shell)->gain() - gain - offers.front().gainChange) < 1e-2f);

    // Moving it from the map's menu goes through the same list; without an answer nothing
    // moves. Undoing every step gives the plan back.
    const std::int32_t target = routeOf(*shownPlan(shell), order);
    const MapRoute& drawn = *shell.view().layer().mapRoute(target);  // the first stop drawn where the menu opens
    const std::int32_t hit =
        stopAt(drawn, drawn.points[1].x, drawn.points[1].y, shell.view().layer().selectedLocationSize);
    const Order& moved = *shownPlan(shell)->route(target)->stopAt(hit)->order;
    triggerItem(mapMenu(shell, target, 0), "Move order to route...");
    QCOMPARE(routeOf(*shownPlan(shell), moved), target);
    const bool movable = routeOffers(*shownPlan(shell), moved).front().fits();
    shell.prompts.chooseAnswers = {0};
    triggerItem(mapMenu(shell, target, 0), "Move order to route...");
    QCOMPARE(routeOf(*shownPlan(shell), moved) != target, movable);
    const int steps = movable ? 3 : 2;
    if (movable) QCOMPARE(shell.frame.undoAction()->text(), QString("&Undo Move order"));
    for (int step = 0; step < steps; ++step) shell.frame.undoAction()->trigger();
    QCOMPARE(routesOf(*shownPlan(shell)), original);
  }

  // A stop row dropped on another route's Route Info window moves its order there at the
  // offered gain; dropped where it does not fit, it stays and the reason is told.
  void aStopDroppedOnAnotherRouteInfoMovesItsOrder() {
    Shell shell;
    openPlanned(shell);
    const std::int32_t source = busiestRoute(*shownPlan(shell));
    const Order& order = *shownPlan(shell)->route(source)->orderAt(0);
    const std::vector<RouteOffer> offers = routeOffers(*shownPlan(shell), order);
    RouteInfoWindow from(&shell.view());
    RouteInfoWindow to(&shell.view());
    for (RouteInfoWindow* window : {&from, &to}) window->setEditor(&shell.view().editor());
    from.fill(*shownPlan(shell)->route(source));
    from.stopList()->setCurrentIndex(from.stopList()->model()->index(1, 0));
    for (const RouteOffer& offer : offers) {
      to.fill(*shownPlan(shell)->route(offer.route));
      const float gain = shownPlan(shell)->gain();
      const auto told = shell.prompts.messages.size();
      QCOMPARE(to.dropOrderFrom(from.stopList()), offer.fits());
      QCOMPARE(routeOf(*shownPlan(shell), order), offer.fits() ? offer.route : source);
      QCOMPARE(shell.prompts.messages.size(), told + (offer.fits() ? 0 : 1));
      if (offer.fits()) {
        QVERIFY(qAbs(shownPlan(shell)->gain() - gain - offer.gainChange) < 1e-2f);
        shell.frame.undoAction()->trigger();
      }
    }
    QVERIFY(!from.dropOrderFrom(from.stopList()));  // onto its own route: nothing moves
  }
};

QTEST_MAIN(PlanDeskTest)
#include "plan_desk_test.moc"
