// The stop list of a route, row by row, and the time line opened from it.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QtTest>
#include <cstdlib>
#include <ctime>

#include "problem/capacity.h"
#include "problem/text.h"
#include "tests/ui/route_windows_fixture.h"
#include "ui/report_list.h"
#include "ui/route_gr_view.h"
#include "ui/route_graph_dialog.h"
#include "ui/route_info_window.h"

using namespace tamso;
using namespace tamso::ui;
using tamso::testing::PlanFixture;
using tamso::testing::processDeletes;

namespace {

QStringList rowOf(const ReportList& list, int row) {
  QStringList cells;
  for (int c = 0; c < list.columnCount(); ++c) cells << list.cellText(row, c);
  return cells;
}

QString at(std::int32_t minutes) { return QString::fromStdString(formatDateTime(minutes)); }

}  // namespace

class RouteInfoWindowTest : public QObject {
  Q_OBJECT

 private:
  PlanFixture fixture;

  Route plannedRoute() {
    Route route(fixture.data(), fixture.data().vehicles[0]);
    route.insertOrder(fixture.order(0));
    route.evaluate();
    return route;
  }

 private slots:
  void initTestCase() {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }

  void headingsAndWidths() {
    RouteInfoWindow window(nullptr);
    QCOMPARE(window.windowTitle(), QStringLiteral("Route Info"));
    QVERIFY(!window.isModal());
    const ReportList& list = *window.stopList();
    const QStringList headings{"Order number",
                               "Client",
                               "Place",
                               "Type of action",
                               "Time window-start",
                               "Time window-end",
                               "Arrival",
                               "Departure",
                               "Leg km",
                               "Satisfaction",
                               "Load"};
    const int widths[] = {100, 100, 100, 100, 140, 140, 140, 140, 80, 90, 160};
    QCOMPARE(list.columnCount(), 11);
    for (int c = 0; c < 11; ++c) {
      QCOMPARE(list.headingText(c), headings[c]);
      // The designed width, or wider where the heading needs it.
      QVERIFY(list.header()->sectionSize(c) >= widths[c]);
      QVERIFY(list.header()->sectionSize(c) > list.fontMetrics().horizontalAdvance(headings[c]));
    }
    QCOMPARE(window.graphicalButton()->text(), QStringLiteral("Graphical"));
  }

  void stopListRowByRow() {
    Route route = plannedRoute();
    route.setWaitingPlace(fixture.data().places[2], true);
    RouteInfoWindow window(nullptr);
    window.fill(route);
    QCOMPARE(window.vehicleName(), QStringLiteral("TRUCK1"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Route Info - TRUCK1"));
    const ReportList& list = *window.stopList();
    QCOMPARE(list.rowCount(), 4);
    const QString start = at(0);
    QCOMPARE(rowOf(list, 0), (QStringList{"", "", "ALPHA", "START", start, start, start, start, "", "", ""}));
    const RouteStop& pickup = route.stops()[0];
    const RouteStop& delivery = route.stops()[1];
    const RouteStop& waiting = route.stops()[2];
    const QString client = QString::fromStdString(fixture.order(0).clientName());
    // Departures after the service; the legs' km and the satisfactions with two decimals. A
    // vehicle without a type carries anything: no load is shown.
    const QStringList rows[] = {
        {"ORDER1", client, "ALPHA", "PICKUP", at(0), at(600), at(pickup.shownArrival.likely),
         at(pickup.serviceStart.likely + 10), "0.00", "1.00", ""},
        {"ORDER1", client, "BRAVO", "DELIVERY", at(0), at(600), at(delivery.shownArrival.likely)},
        {"", "", "CHARLIE", "WAITING", "", "", at(waiting.shownArrival.likely), at(waiting.shownArrival.likely)}};
    for (int r = 0; r < 3; ++r) QCOMPARE(rowOf(list, r + 1).mid(0, rows[r].size()), rows[r]);
    const QRegularExpression twoDecimals("^\\d+\\.\\d\\d$");
    QVERIFY(list.cellText(2, 7) >= list.cellText(2, 6));
    QVERIFY(twoDecimals.match(list.cellText(2, 8)).hasMatch() && list.cellText(2, 8) != "0.00");
    QCOMPARE(list.cellText(2, 9), QString::number(static_cast<double>(delivery.satisfaction), 'f', 2));
    // Service at the pickup (10 minutes) and the leg (12 minutes likely) before the delivery.
    QCOMPARE(delivery.shownArrival.likely, 22);
  }

  void loadColumnShowsWhatIsOnBoardForTheLimitedKeys() {
    VehicleType type;
    type.name = "BOX_TRUCK";
    QuantityList capacity("CAPACITY");
    capacity.add("PALLET", 10);
    capacity.add("WEIGHT", 900);
    type.addList(capacity);
    fixture.data().vehicleTypes.push_back(type);
    fixture.data().vehicles[0].vehicleType = &fixture.data().vehicleTypes.back();
    fixture.data().orders[0].articles.add("PALLET", 4);
    deriveCapacities(fixture.data());
    RouteInfoWindow window(nullptr);
    window.fill(plannedRoute());
    const ReportList& list = *window.stopList();
    QCOMPARE(list.cellText(0, 10), QString());
    QCOMPARE(list.cellText(1, 10), QStringLiteral("PALLET 4 WEIGHT 0"));
    QCOMPARE(list.cellText(2, 10), QStringLiteral("PALLET 0 WEIGHT 0"));
    fixture.data().vehicles[0].vehicleType = nullptr;
  }

  void gainHasTwoDecimals() {
    // An empty route pays idle time until the horizon: -(8 - (0 + 0 + 0 + 1) / 4) = -7.75.
    fixture.data().horizonEnd = 8;
    Vehicle& vehicle = fixture.data().vehicles[0];
    vehicle.startTime = FuzzyTime(0, 0, 1);
    const Route route(fixture.data(), vehicle);
    RouteInfoWindow window(nullptr);
    window.fill(route);
    QCOMPARE(window.routeGain(), QStringLiteral("-7.75"));
    QCOMPARE(window.stopList()->rowCount(), 1);
    fixture.data().horizonEnd = 10000;
    vehicle.startTime = FuzzyTime(0, 0, 0);
  }

  void startRowIsEmptyWhereTheVehicleHasNoStart() {
    RouteInfoWindow window(nullptr);
    window.fill(Route(fixture.data(), fixture.data().vehicles[2]));
    QCOMPARE(rowOf(*window.stopList(), 0), (QStringList{"", "", "", "START", "", "", "", "", "", "", ""}));
    QCOMPARE(window.routeGain(), QStringLiteral("0.00"));

    Vehicle& placed = fixture.data().vehicles[2];
    placed.startPlace = &fixture.data().places[3];
    window.fill(Route(fixture.data(), placed));
    QCOMPARE(rowOf(*window.stopList(), 0), (QStringList{"", "", "DELTA", "START", "", "", "", "", "", "", ""}));
    placed.startPlace = nullptr;
  }

  void refillReplacesTheRows() {
    RouteInfoWindow window(nullptr);
    window.fill(plannedRoute());
    window.fill(Route(fixture.data(), fixture.data().vehicles[1]));
    QCOMPARE(window.vehicleName(), QStringLiteral("TRUCK2"));
    QCOMPARE(window.stopList()->rowCount(), 1);
  }

  void closeButtonAndEscapeDestroyTheWindow() {
    QPointer<RouteInfoWindow> byEscape = new RouteInfoWindow(nullptr);
    byEscape->showRoute(plannedRoute());
    QVERIFY(byEscape->isVisible());
    QTest::keyClick(byEscape.data(), Qt::Key_Escape);
    processDeletes();
    QVERIFY(!byEscape);

    QPointer<RouteInfoWindow> byButton = new RouteInfoWindow(nullptr);
    byButton->showRoute(plannedRoute());
    for (QPushButton* button : byButton->findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("Close")) button->click();
    }
    processDeletes();
    QVERIFY(!byButton);
  }

  void headerClickSortsAndCtrlCCopiesRows() {
    RouteInfoWindow window(nullptr);
    window.fill(plannedRoute());
    ReportList& list = *window.stopList();
    list.sortByColumn(3, Qt::AscendingOrder);  // what a click on "Type of action" does
    QCOMPARE(list.cellText(0, 3), QStringLiteral("DELIVERY"));
    QCOMPARE(list.cellText(1, 3), QStringLiteral("PICKUP"));
    QCOMPARE(list.cellText(2, 3), QStringLiteral("START"));

    list.selectionModel()->select(list.model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), rowOf(list, 1).join('\t') + '\n');
    QCOMPARE(list.cellText(1, 0), QStringLiteral("ORDER1"));
    list.clearSelection();
    QCOMPARE(list.rowsAsText().count(QLatin1Char('\n')), 3);  // nothing selected: every row
  }

  void graphicalOpensTheModalTimeLine() {
    Route route = plannedRoute();
    RouteInfoWindow window(nullptr);
    window.showRoute(route);
    RouteGraphDialog* dialog = window.openGraphical();
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Route Info - ") + window.vehicleName());
    QVERIFY(dialog->timeWindowsBox()->isChecked());
    QVERIFY(dialog->arrivalTimesBox()->isChecked());
    QVERIFY(dialog->serviceTimesBox()->isChecked());
    const RouteTimeline* timeline = dialog->view()->timeline();
    QVERIFY(timeline);
    QCOMPARE(timeline->route().stops.size(), std::size_t{2});
    QCOMPARE(timeline->route().startPlaceName, std::string("ALPHA"));
    QCOMPARE(timeline->route().stops[1].shownArrival, route.stops()[1].shownArrival);
    QCOMPARE(timeline->timeMin(), 0);
    QCOMPARE(timeline->timeMax(), 600);

    const std::size_t full = dialog->view()->drawing().size();
    dialog->timeWindowsBox()->setChecked(false);
    QCOMPARE(dialog->view()->drawing().size(), full - 2);  // one window per stop
    dialog->close();
  }

  void zoomButtonsFollowTheirRules() {
    RouteGraphDialog dialog(nullptr, TimelineRoute::of(plannedRoute()));
    dialog.open();
    const RouteTimeline& timeline = *dialog.view()->timeline();
    const IntPoint size = timeline.scrollSize();
    QCOMPARE(dialog.zoomOutXButton()->text(), QStringLiteral("--"));
    QCOMPARE(dialog.zoomInXButton()->text(), QStringLiteral("+"));
    dialog.zoomOutXButton()->click();
    dialog.zoomOutYButton()->click();
    QCOMPARE(timeline.scaleX(), 1.0);
    QCOMPARE(timeline.scaleY(), 1.0);
    dialog.zoomInXButton()->click();
    QCOMPARE(timeline.scaleX(), 1.1);
    QCOMPARE(timeline.scaleY(), 1.0);
    QCOMPARE(timeline.scrollSize().x, static_cast<int>(size.x * 1.1));
    dialog.zoomInYButton()->click();
    dialog.zoomOutYButton()->click();
    QCOMPARE(timeline.scaleY(), 1.0);
    dialog.zoomOutXButton()->click();
    QCOMPARE(timeline.scaleX(), 1.0);
    QCOMPARE(timeline.scrollSize(), size);
  }
};

QTEST_MAIN(RouteInfoWindowTest)
#include "route_info_window_test.moc"
