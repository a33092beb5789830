// Why orders were left out of a plan, and the list that shows it.
#include <QtTest>

#include "routing/unplanned_reason.h"
#include "tests/ui/route_windows_fixture.h"
#include "ui/report_list.h"
#include "ui/unplanned_orders_dialog.h"

using namespace tamso;
using namespace tamso::ui;
using tamso::testing::PlanFixture;

class UnplannedOrdersTest : public QObject {
  Q_OBJECT

 private:
  PlanFixture fixture;
  const Order* impossible = nullptr;  // its pickup window closes before any truck gets there
  const Order* losing = nullptr;      // pays nothing
  const Order* paying = nullptr;      // would pay, but was left in the pool

  Solution planWithPool() {
    Solution plan(fixture.data(), false);
    plan.unplanned() = {impossible, losing, paying};
    return plan;
  }

 private slots:
  void initTestCase() {
    ProblemData& data = fixture.data();
    const Place& a = data.places[0];
    const Place& b = data.places[1];
    const Place& c = data.places[2];
    impossible = &fixture.problem.addOrder("LATE", c, FuzzyWindow(0, 5, 6), a, FuzzyWindow(0, 500, 600), 900.0f);
    losing = &fixture.problem.addOrder("FREE", a, FuzzyWindow(0, 500, 600), b, FuzzyWindow(0, 500, 600), 0.0f);
    paying = &fixture.problem.addOrder("RICH", a, FuzzyWindow(0, 500, 600), b, FuzzyWindow(0, 500, 600), 1000.0f);
  }

  void eachOrderGetsItsReasonAndThePlanStaysAsItWas() {
    const Solution plan = planWithPool();
    const std::vector<UnplannedReason> reasons = unplannedReasons(plan);
    QCOMPARE(reasons.size(), std::size_t{3});

    QCOMPARE(reasons[0].order, impossible);
    QVERIFY(reasons[0].kind == UnplannedReason::Kind::NoRouteFits);
    QCOMPARE(reasons[0].bestRoute, -1);

    QCOMPARE(reasons[1].order, losing);
    QVERIFY(reasons[1].kind == UnplannedReason::Kind::LowersGain);
    QVERIFY(reasons[1].gainChange < 0.0f);
    QVERIFY(reasons[1].bestRoute == 0 || reasons[1].bestRoute == 1);  // the truck without start cannot take it

    QCOMPARE(reasons[2].order, paying);
    QVERIFY(reasons[2].kind == UnplannedReason::Kind::WouldRaiseGain);
    QVERIFY(reasons[2].gainChange > 0.0f);

    for (const Route& route : plan.routes()) QCOMPARE(route.stopCount(), 0);
    QCOMPARE(plan.unplanned().size(), std::size_t{3});
  }

  void theBestRouteIsTheOneThatLosesLeast() {
    // Only TRUCK2 (starting at BRAVO) is placed to do a BRAVO pickup without an empty leg.
    ProblemData& data = fixture.data();
    const Order& fromBravo = fixture.problem.addOrder("BACK", data.places[1], FuzzyWindow(0, 500, 600), data.places[0],
                                                      FuzzyWindow(0, 500, 600), 0.0f);
    Solution plan(data, false);
    plan.unplanned() = {&fromBravo};
    const std::vector<UnplannedReason> reasons = unplannedReasons(plan);
    QCOMPARE(reasons[0].bestRoute, 1);
    data.orders.pop_back();
  }

  void reasonsReadAsPlainWords() {
    UnplannedReason reason;
    reason.kind = UnplannedReason::Kind::NoRouteFits;
    QVERIFY(QString::fromStdString(reason.describe()).contains("No route can take it at any position"));
    reason.kind = UnplannedReason::Kind::LowersGain;
    reason.gainChange = -12.5f;
    QCOMPARE(QString::fromStdString(reason.describe()),
             QStringLiteral("It would lower the total gain: the best route for it would lose 12.50."));
    reason.kind = UnplannedReason::Kind::WouldRaiseGain;
    reason.gainChange = 3.0f;
    QVERIFY(QString::fromStdString(reason.describe()).contains("raise the total gain by 3.00"));
  }

  void dialogListsTheOrdersWithTheirReasons() {
    const Solution plan = planWithPool();
    UnplannedOrdersDialog dialog(nullptr, plan);
    dialog.open();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Unplanned orders"));
    const ReportList& list = *dialog.list();
    QCOMPARE(list.rowCount(), 3);
    QCOMPARE(list.headingText(2), QStringLiteral("Reason"));
    QCOMPARE(list.cellText(0, 0), QStringLiteral("LATE"));
    QCOMPARE(list.cellText(0, 1), QStringLiteral("PLAIN"));
    QCOMPARE(list.cellText(0, 2), QString::fromStdString(unplannedReasons(plan)[0].describe()));
    QCOMPARE(list.cellText(0, 3), QStringLiteral("CHARLIE"));
    QCOMPARE(list.cellText(0, 4), QString::fromStdString(impossible->pickupWindow.format(0)));
    QCOMPARE(list.cellText(0, 5), QStringLiteral("ALPHA"));
    QCOMPARE(list.cellText(0, 7), QStringLiteral("900.00"));
    QCOMPARE(list.cellText(2, 0), QStringLiteral("RICH"));
    dialog.close();
  }

  void everyOrderPlannedGivesAnEmptyList() {
    Solution plan(fixture.data(), false);
    UnplannedOrdersDialog dialog(nullptr, plan);
    QCOMPARE(dialog.list()->rowCount(), 0);
  }
};

QTEST_MAIN(UnplannedOrdersTest)
#include "unplanned_orders_test.moc"
