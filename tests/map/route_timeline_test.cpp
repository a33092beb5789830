#include "map/route_timeline.h"

#include <gtest/gtest.h>

#include "problem/text.h"

namespace tamso {
namespace {

using Kind = Primitive::Kind;

constexpr Rgb black{0, 0, 0};
constexpr Rgb grey{128, 128, 128};
constexpr Rgb darkRed{160, 0, 0};
constexpr TextMetrics cell{8, 12};

// A vehicle starting at minute 1000 (spread 1000..1120) at "DEPOT".
TimelineRoute startOnly() {
  TimelineRoute route;
  route.startPlaceName = "DEPOT";
  route.startTime = FuzzyTime(1000, 1060, 1120);
  return route;
}

TimelineStop stopAt(const std::string& place, FuzzyTime arrival, FuzzyTime shown, std::optional<FuzzyWindow> window,
                    float satisfaction) {
  return TimelineStop{place, arrival, shown, window, satisfaction, {}};
}

TEST(RouteTimeline, RouteWithoutStopsDrawsOnlyTheStartRow) {
  const RouteTimeline timeline(startOnly());
  EXPECT_EQ(timeline.timeMin(), 1000);
  EXPECT_EQ(timeline.timeMax(), 1120);
  EXPECT_EQ(timeline.scrollSize(), (IntPoint{120 / 15 + 160, 140}));

  const PrimitiveList drawing = timeline.draw({}, cell);
  ASSERT_EQ(drawing.size(), 3u);
  EXPECT_EQ(drawing[0].kind, Kind::Line);
  EXPECT_EQ(drawing[0].outline, black);
  EXPECT_EQ(drawing[0].penWidth, 1);
  EXPECT_EQ(drawing[0].points, (std::vector<IntPoint>{{128, 100}, {40, 100}, {40, 40}}));
  EXPECT_EQ(drawing[1].kind, Kind::Text);
  EXPECT_EQ(drawing[1].text, "DEPOT");
  EXPECT_EQ(drawing[1].points, (std::vector<IntPoint>{{40, 106}}));
  EXPECT_EQ(drawing[2].kind, Kind::Polygon);
  EXPECT_EQ(drawing[2].outline, grey);
  EXPECT_EQ(drawing[2].fill, grey);
  EXPECT_EQ(drawing[2].points, (std::vector<IntPoint>{{80, 100}, {84, 60}, {88, 100}}));
}

TEST(RouteTimeline, TimeRangeTakesArrivalsAndWindowsButNotServiceTimes) {
  TimelineRoute route = startOnly();
  route.stops.push_back(stopAt("A", {1200, 1230, 1300}, {1200, 1230, 1300}, FuzzyWindow(900, 1400, 1500), 1.0f));
  route.stops.push_back(stopAt("B", {1600, 1700, 1800}, {1600, 1700, 1800}, std::nullopt, 1.0f));
  const RouteTimeline timeline(route);
  EXPECT_EQ(timeline.timeMin(), 900);
  EXPECT_EQ(timeline.timeMax(), 1800);
  // (900 / 15 + 160) x ((2 + 1) * 100 + 40)
  EXPECT_EQ(timeline.scrollSize(), (IntPoint{220, 340}));
}

TEST(RouteTimeline, StopRowWithWindowAndHalfSatisfaction) {
  TimelineRoute route = startOnly();
  route.stops.push_back(stopAt("PLACE", {1150, 1300, 1450}, {1200, 1300, 1450}, FuzzyWindow(1200, 1350, 1600), 0.5f));
  const RouteTimeline timeline(route);
  ASSERT_EQ(timeline.timeMin(), 1000);
  const PrimitiveList drawing = timeline.draw({}, cell);
  // Start row (3), then axis, label, window, arrival, service start, bar, value.
  ASSERT_EQ(drawing.size(), 10u);
  const std::int32_t span = (1600 - 1000) / 15;
  EXPECT_EQ(drawing[3].points, (std::vector<IntPoint>{{120 + span, 200}, {40, 200}, {40, 140}}));
  EXPECT_EQ(drawing[4].text, "PLACE");
  EXPECT_EQ(drawing[4].points[0], (IntPoint{40, 206}));

  const Primitive& window = drawing[5];
  EXPECT_EQ(window.kind, Kind::Polygon);
  EXPECT_EQ(window.outline, black);
  EXPECT_EQ(window.fill, (Rgb{255, 255, 208}));
  EXPECT_EQ(window.points, (std::vector<IntPoint>{{93, 200}, {93, 160}, {103, 160}, {120, 200}}));

  EXPECT_EQ(drawing[6].fill, grey);
  EXPECT_EQ(drawing[6].points, (std::vector<IntPoint>{{90, 200}, {100, 160}, {110, 200}}));
  EXPECT_EQ(drawing[7].fill, darkRed);
  EXPECT_EQ(drawing[7].outline, darkRed);
  EXPECT_EQ(drawing[7].points, (std::vector<IntPoint>{{93, 200}, {100, 160}, {110, 200}}));

  const Primitive& bar = drawing[8];
  EXPECT_EQ(bar.kind, Kind::Line);
  EXPECT_EQ(bar.penWidth, 5);
  EXPECT_EQ(bar.outline, darkRed);
  EXPECT_EQ(bar.points, (std::vector<IntPoint>{{38, 198}, {38, 178}}));  // half of the shape height

  const Primitive& value = drawing[9];
  EXPECT_EQ(value.kind, Kind::Text);
  EXPECT_EQ(value.text, "0.50");
  // Right edge 5 pixels clear of the 5-pixel bar, centred on the bar's top.
  EXPECT_EQ(value.points[0], (IntPoint{38 - 2 - 5 - 4 * 8, 178 - 6}));
}

TEST(RouteTimeline, WaitingStopHasNoWindowAndAFullBar) {
  TimelineRoute route = startOnly();
  route.stops.push_back(stopAt("WAIT", {1050, 1060, 1070}, {1050, 1060, 1070}, std::nullopt, 1.0f));
  const PrimitiveList drawing = RouteTimeline(route).draw({}, cell);
  ASSERT_EQ(drawing.size(), 9u);  // no window shape
  EXPECT_EQ(drawing[5].fill, grey);
  EXPECT_EQ(drawing[6].fill, darkRed);
  EXPECT_EQ(drawing[7].points, (std::vector<IntPoint>{{38, 198}, {38, 158}}));
  EXPECT_EQ(drawing[8].text, "1.00");
}

TEST(RouteTimeline, UntickedElementsLeaveOnlyAxisAndLabelOnStopRows) {
  TimelineRoute route = startOnly();
  route.stops.push_back(stopAt("A", {1150, 1300, 1450}, {1200, 1300, 1450}, FuzzyWindow(1200, 1350, 1600), 0.5f));
  const RouteTimeline timeline(route);
  EXPECT_EQ(timeline.draw({false, false, false}, cell).size(), 5u);
  const PrimitiveList arrivalsOnly = timeline.draw({false, true, false}, cell);
  ASSERT_EQ(arrivalsOnly.size(), 6u);
  EXPECT_EQ(arrivalsOnly[5].fill, grey);
  const PrimitiveList serviceOnly = timeline.draw({false, false, true}, cell);
  ASSERT_EQ(serviceOnly.size(), 8u);
  EXPECT_EQ(serviceOnly[5].fill, darkRed);
  // The start triangle is drawn whatever is ticked.
  EXPECT_EQ(serviceOnly[2].fill, grey);
}

TEST(RouteTimeline, ZoomNeverGoesBelowOneAndScalesLogicalCoordinates) {
  EXPECT_DOUBLE_EQ(zoomedOut(1.0), 1.0);
  EXPECT_DOUBLE_EQ(zoomedOut(zoomedIn(1.0)), 1.0);
  EXPECT_DOUBLE_EQ(zoomedOut(1.05), 1.0);
  EXPECT_DOUBLE_EQ(zoomedIn(zoomedIn(1.0)), 1.1 * 1.1);
  EXPECT_DOUBLE_EQ(zoomedOut(zoomedIn(zoomedIn(1.0))), 1.1);

  RouteTimeline timeline(startOnly());
  timeline.zoomInX();
  timeline.zoomInY();
  timeline.zoomInY();
  EXPECT_DOUBLE_EQ(timeline.scaleX(), 1.1);
  EXPECT_DOUBLE_EQ(timeline.scaleY(), 1.1 * 1.1);
  EXPECT_EQ(timeline.scrollSize(), (IntPoint{184, 169}));  // trunc(168 * 1.1), trunc(140 * 1.21)
  const PrimitiveList drawing = timeline.draw({}, cell);
  // Logical values scaled and truncated; pixel offsets added after scaling.
  EXPECT_EQ(drawing[0].points, (std::vector<IntPoint>{{140, 121}, {44, 121}, {44, 48}}));
  EXPECT_EQ(drawing[1].points[0], (IntPoint{44, 127}));
  EXPECT_EQ(drawing[2].points, (std::vector<IntPoint>{{88, 121}, {92, 72}, {96, 121}}));

  timeline.zoomOutX();
  timeline.zoomOutX();
  EXPECT_DOUBLE_EQ(timeline.scaleX(), 1.0);
}

}  // namespace
}  // namespace tamso

namespace tamso {
namespace {

// Times of the axis come back from its columns exactly when the drawing starts at a multiple
// of 15 minutes, at scale 1 (4 pixels an hour); the checks hold in any time zone.
TEST(RouteTimelineAxis, TicksFallOnWholeLocalHoursAndDaysAreDated) {
  TimelineRoute route;
  route.startTime = FuzzyTime(29'000'010, 29'000'010, 29'000'010);  // a sharp start
  route.stops.push_back(TimelineStop{
      "P", {29'003'010, 29'003'010, 29'003'010}, {29'003'010, 29'003'010, 29'003'010}, std::nullopt, 1.0f, {}});
  const RouteTimeline timeline(route);
  const auto timeAt = [&](std::int32_t x) { return timeline.timeMin() + (x - 80) * 15; };
  const PrimitiveList axis = timeline.drawTimeAxis(cell);
  ASSERT_FALSE(axis.empty());
  int days = 0;
  std::vector<std::int32_t> labelColumns;
  std::vector<const Primitive*> dates;
  for (std::size_t i = 1; i < axis.size(); ++i) {
    const Primitive& p = axis[i];
    if (p.kind == Kind::Line) {
      const std::string when = formatDateTime(timeAt(p.points[0].x));
      EXPECT_EQ(when.substr(14), "00") << when;
      const bool midnight = p.points[1].y - p.points[0].y > 8;
      EXPECT_EQ(midnight, when.substr(11) == "00:00") << when;
      days += midnight ? 1 : 0;
    } else if (p.text.size() == 5) {
      labelColumns.push_back(p.points[0].x);
    } else {
      dates.push_back(&p);
    }
  }
  // About 50 hours: two midnights, hour labels and dates with room between them.
  EXPECT_GE(days, 2);
  EXPECT_GE(dates.size(), 2u);
  ASSERT_GT(labelColumns.size(), 3u);
  for (std::size_t i = 1; i < labelColumns.size(); ++i)
    EXPECT_GE(labelColumns[i] - labelColumns[i - 1], 5 * cell.charWidth);
  for (std::size_t i = 1; i < dates.size(); ++i) {
    const auto width = static_cast<std::int32_t>(dates[i - 1]->text.size()) * cell.charWidth;
    EXPECT_GT(dates[i]->points[0].x, dates[i - 1]->points[0].x + width) << dates[i]->text;
  }
}

TEST(RouteTimelineAxis, SharpTimesStayVisibleAndRowsNameActionOrderAndPlace) {
  TimelineRoute route = startOnly();
  route.startLabel = "START DEPOT";
  route.stops.push_back(
      TimelineStop{"PLACE", {1300, 1300, 1300}, {1300, 1300, 1300}, std::nullopt, 1.0f, "PICKUP ORDER7 PLACE"});
  const PrimitiveList drawing = RouteTimeline(route).draw({}, cell);
  EXPECT_EQ(drawing[1].text, "START DEPOT");
  EXPECT_EQ(drawing[4].text, "PICKUP ORDER7 PLACE");
  for (const std::size_t triangle : {5u, 6u}) {
    const std::vector<IntPoint>& corners = drawing[triangle].points;
    EXPECT_GE(corners[2].x - corners[0].x, 3);
    EXPECT_EQ(corners[1].x, 80 + 300 / 15);  // the likely time keeps its column
  }
}

}  // namespace
}  // namespace tamso
