// Clicks on the map, the route context menu and its commands, and the dialogs that pick
// and recolour routes.
#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "tests/ui/route_windows_fixture.h"
#include "ui/report_list.h"
#include "ui/route_info_window.h"
#include "ui/route_infos_dialog.h"
#include "ui/route_windows.h"
#include "ui/select_route_dialog.h"
#include "ui/short_info_window.h"

using namespace tamso;
using namespace tamso::ui;
using tamso::testing::FakePrompts;
using tamso::testing::PlanFixture;
using tamso::testing::processDeletes;

class MapActionsTest : public QObject {
  Q_OBJECT

 private:
  PlanFixture fixture;
  std::unique_ptr<MapLayer> layer;
  std::unique_ptr<QWidget> view;
  std::unique_ptr<MapActions> actions;
  FakePrompts prompts;
  QString status = QStringLiteral("untouched");
  int repaints = 0;

  QPoint location(int i) const {
    const MapPoint& p = layer->locations()[static_cast<std::size_t>(i)];
    return {p.x, p.y};
  }
  void click(QPoint p) { actions->leftButtonDown(p); }
  static QStringList actionTexts(const QMenu& menu) {
    QStringList texts;
    for (QAction* action : menu.actions()) texts << action->text();
    return texts;
  }

 private slots:
  void init() {
    layer = fixture.makeLayer();
    view = std::make_unique<QWidget>();
    prompts = FakePrompts();
    repaints = 0;
    status = QStringLiteral("untouched");
    MapActions::Host host;
    host.view = view.get();
    host.layer = [this] { return layer.get(); };
    host.setStatusText = [this](const QString& text) { status = text; };
    host.repaint = [this] { ++repaints; };
    host.prompts = &prompts;
    actions = std::make_unique<MapActions>(host);
  }

  void cleanup() {
    actions.reset();
    view.reset();
    layer.reset();
  }

  void clickNamesTheLocationWithinItsSquare() {
    const QPoint delta = location(3);
    click(delta + QPoint(10, 10));
    QCOMPARE(status, QStringLiteral("DELTA"));
    click(delta + QPoint(-10, -10));
    QCOMPARE(status, QStringLiteral("DELTA"));
    click(delta + QPoint(11, 0));
    QCOMPARE(status, QString());
    click(delta + QPoint(0, 11));
    QCOMPARE(status, QString());
    QCOMPARE(repaints, 0);
  }

  void nothingHappensWhileNeitherLocationsNorRoutesAreShown() {
    layer->showLocations = false;
    layer->showRoutes = false;
    click(location(3));
    QCOMPARE(status, QStringLiteral("untouched"));
    actions->rightButtonDown({150, 100}, {0, 0});
    QVERIFY(!actions->contextMenu());
  }

  void locationsAloneNameButNeverSelect() {
    layer->showRoutes = false;
    click({150, 100});
    QCOMPARE(layer->selectedIndex(), -1);
    QCOMPARE(status, QString());
  }

  void horizontalSegmentIsHitOnItsOwnRowOnly() {
    click({150, 100});
    QCOMPARE(layer->selectedIndex(), 0);
    QVERIFY(layer->mapRoute(0)->selected);
    QCOMPARE(status, QStringLiteral("TRUCK1"));
    QCOMPARE(repaints, 1);

    click({150, 99});
    QCOMPARE(layer->selectedIndex(), -1);
    QVERIFY(!layer->mapRoute(0)->selected);
    QCOMPARE(status, QString());
    QCOMPARE(repaints, 2);

    click({150, 101});
    QCOMPARE(layer->selectedIndex(), -1);
    QCOMPARE(repaints, 2);  // nothing was selected, nothing to repaint
  }

  void diagonalIsHitThreePixelsBelowButNotFour() {
    click({350, 103});
    QCOMPARE(layer->selectedIndex(), 1);
    QCOMPARE(status, QStringLiteral("TRUCK2"));
    click({350, 104});
    QCOMPARE(layer->selectedIndex(), -1);
  }

  void clickingTheSelectedRouteAgainKeepsTheLocationText() {
    click({150, 100});
    QCOMPARE(status, QStringLiteral("TRUCK1"));
    const int before = repaints;
    click({150, 100});
    QCOMPARE(status, QString());
    QCOMPARE(layer->selectedIndex(), 0);
    QCOMPARE(repaints, before);
  }

  void hiddenRouteStaysSelectedButIsNeverHit() {
    click({150, 100});
    actions->hideRoute();
    QVERIFY(!layer->mapRoute(0)->shown);
    QCOMPARE(layer->selectedIndex(), 0);
    click({150, 100});
    QCOMPARE(layer->selectedIndex(), -1);
    actions->rightButtonDown({150, 100}, {0, 0});
    QVERIFY(!actions->contextMenu());
    // Hiding without a selection does nothing.
    const int before = repaints;
    actions->hideRoute();
    QCOMPARE(repaints, before);
  }

  void contextMenuOpensOnlyOverARoute() {
    click({350, 103});
    actions->rightButtonDown({600, 20}, {0, 0});
    QVERIFY(!actions->contextMenu());
    QCOMPARE(layer->selectedIndex(), 1);  // empty space keeps the selection

    actions->rightButtonDown({150, 100}, {10, 10});
    QCOMPARE(layer->selectedIndex(), 0);
    QMenu* menu = actions->contextMenu();
    QVERIFY(menu);
    QVERIFY(menu->isVisible());
    QCOMPARE(actionTexts(*menu), (QStringList{"&Hide Route", "&Change Color", "&Route Info", "&Short Info"}));
    menu->actions()[0]->trigger();
    QVERIFY(!layer->mapRoute(0)->shown);
  }

  void routeInfoWindowsFollowTheSelection() {
    click({150, 100});
    actions->routeInfo();
    QPointer<RouteInfoWindow> first = actions->routeInfoWindow();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->vehicleName(), QStringLiteral("TRUCK1"));

    click({350, 103});  // a new selection refills the open window
    QCOMPARE(first->vehicleName(), QStringLiteral("TRUCK2"));

    actions->leftButtonDoubleClick({150, 100});  // a new window; the first stays open
    QPointer<RouteInfoWindow> second = actions->routeInfoWindow();
    QVERIFY(second && second != first);
    QVERIFY(first->isVisible());
    QCOMPARE(second->vehicleName(), QStringLiteral("TRUCK1"));
    QCOMPARE(first->vehicleName(), QStringLiteral("TRUCK2"));

    second->close();
    processDeletes();
    QVERIFY(!second);
    QVERIFY(!actions->routeInfoWindow());
    click({350, 103});  // the closed window is not used
    QCOMPARE(first->vehicleName(), QStringLiteral("TRUCK2"));

    actions->leftButtonDoubleClick({600, 20});  // off every route: no window
    QVERIFY(!actions->routeInfoWindow());
  }

  void rightClickOnAnotherRouteRefillsTheOpenRouteInfo() {
    click({150, 100});
    actions->routeInfo();
    actions->rightButtonDown({350, 103}, {0, 0});
    QCOMPARE(actions->routeInfoWindow()->vehicleName(), QStringLiteral("TRUCK2"));
  }

  void shortInfoShowsVehicleAndColourAndFollowsSelection() {
    click({150, 100});
    actions->shortInfo();
    ShortInfoWindow* info = actions->shortInfoWindow();
    QVERIFY(info && info->isVisible());
    QCOMPARE(info->windowTitle(), QStringLiteral("Short Info"));
    QCOMPARE(info->vehicleName(), QStringLiteral("TRUCK1"));
    const Rgb colour = layer->mapRoute(0)->colour;
    QCOMPARE(info->sampleColour(), QColor(colour.r, colour.g, colour.b));
    click({350, 103});
    QCOMPARE(info->routeIndex(), 1);
    QCOMPARE(info->vehicleName(), QStringLiteral("TRUCK2"));
  }

  void changeColorStartsFromBlackAndRepaintsEitherWay() {
    click({150, 100});
    const Rgb original = layer->mapRoute(0)->colour;
    const int before = repaints;
    prompts.answer.reset();
    actions->changeColor();
    QCOMPARE(prompts.initialColours.back(), QColor(Qt::black));
    QVERIFY(layer->mapRoute(0)->colour == original);
    QCOMPARE(repaints, before + 1);

    prompts.answer = QColor(10, 20, 30);
    actions->changeColor();
    QVERIFY((layer->mapRoute(0)->colour == Rgb{10, 20, 30}));
    QCOMPARE(repaints, before + 2);
  }

  void shortInfoChangeRecoloursTheRouteOnlyOnOk() {
    click({350, 103});
    actions->shortInfo();
    ShortInfoWindow* info = actions->shortInfoWindow();
    const Rgb original = layer->mapRoute(1)->colour;
    const int before = repaints;
    prompts.answer.reset();
    info->changeButton()->click();
    QVERIFY(layer->mapRoute(1)->colour == original);
    QCOMPARE(repaints, before);

    prompts.answer = QColor(200, 100, 0);
    info->changeButton()->click();
    QVERIFY((layer->mapRoute(1)->colour == Rgb{200, 100, 0}));
    QCOMPARE(info->sampleColour(), QColor(200, 100, 0));
    QCOMPARE(repaints, before + 1);
  }

  void selectRouteOkShowsExactlyTheSelectedLines() {
    layer->mapRoute(1)->shown = false;
    SelectRouteDialog dialog(view.get(), *layer);
    QListWidget* list = dialog.routeList();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("TRUCK1"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("TRUCK2"));
    QVERIFY(list->item(0)->isSelected());
    QVERIFY(!list->item(1)->isSelected());

    dialog.selectAll();
    QVERIFY(list->item(1)->isSelected());
    dialog.deselectAll();
    dialog.accept();
    QVERIFY(!layer->mapRoute(0)->shown);
    QVERIFY(!layer->mapRoute(1)->shown);

    SelectRouteDialog again(view.get(), *layer);
    again.selectAll();
    again.accept();
    QVERIFY(layer->mapRoute(0)->shown && layer->mapRoute(1)->shown);
  }

  void selectRouteCancelChangesNothing() {
    SelectRouteDialog dialog(view.get(), *layer);
    dialog.open();
    dialog.deselectAll();
    dialog.reject();
    QVERIFY(layer->mapRoute(0)->shown && layer->mapRoute(1)->shown);
  }

  void routeInfosKeepsOneStopListWindow() {
    RouteInfosDialog dialog(view.get(), layer->solution());
    dialog.open();
    QComboBox* vehicles = dialog.vehicleList();
    QCOMPARE(vehicles->count(), 3);
    QCOMPARE(vehicles->itemText(2), QStringLiteral("NOSTART"));
    QCOMPARE(vehicles->currentIndex(), 0);

    dialog.showButton()->click();
    QPointer<RouteInfoWindow> window = dialog.stopListWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->vehicleName(), QStringLiteral("TRUCK1"));

    vehicles->setCurrentIndex(1);
    dialog.showButton()->click();
    QCOMPARE(dialog.stopListWindow(), window.data());  // refilled, not made again
    QCOMPARE(window->vehicleName(), QStringLiteral("TRUCK2"));

    window->close();
    processDeletes();
    QVERIFY(!window);
    vehicles->setCurrentIndex(2);
    dialog.showButton()->click();  // made again after it was closed
    QVERIFY(dialog.stopListWindow());
    QCOMPARE(dialog.stopListWindow()->vehicleName(), QStringLiteral("NOSTART"));
    QCOMPARE(dialog.stopListWindow()->stopList()->rowCount(), 1);
  }

  void routeInfosWithoutPlanIsEmpty() {
    RouteInfosDialog dialog(view.get(), nullptr);
    QCOMPARE(dialog.vehicleList()->count(), 0);
    dialog.showButton()->click();
    QVERIFY(!dialog.stopListWindow());
  }
};

QTEST_MAIN(MapActionsTest)
#include "map_actions_test.moc"
