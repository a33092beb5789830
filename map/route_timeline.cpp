#include "map/route_timeline.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "routing/route.h"
#include "routing/route_activities.h"

namespace tamso {

using namespace timeline;

TimelineRoute TimelineRoute::of(const Route& route) {
  const Vehicle& vehicle = route.vehicle();
  TimelineRoute result;
  result.startPlaceName = vehicle.startPlace ? vehicle.startPlace->name : std::string();
  result.startTime = vehicle.startTimeOrZero();
  result.vehicleName = vehicle.name;
  result.startLabel = "START " + result.startPlaceName;
  result.stops.reserve(route.stops().size());
  for (const RouteStop& stop : route.stops()) {
    TimelineStop row;
    row.placeName = stop.place ? stop.place->name : std::string();
    row.arrival = stop.arrival;
    row.shownArrival = stop.shownArrival;
    row.window = stop.window;
    row.satisfaction = stop.satisfaction;
    row.label = stopKindName(stop.kind);
    if (stop.order != nullptr) row.label += " " + stop.order->name;
    row.label += " " + row.placeName;
    result.stops.push_back(std::move(row));
  }
  if (route.driverRules()) {
    Route copy = route;
    for (const RouteActivity& a : routeActivities(copy)) result.activities.push_back({a.kind, a.start, a.minutes});
  }
  return result;
}

double zoomedIn(double scale) { return scale * zoomStep; }

double zoomedOut(double scale) {
  if (scale <= 1.0) return scale;
  return std::max(1.0, scale / zoomStep);
}

RouteTimeline::RouteTimeline(TimelineRoute route) : route_(std::move(route)) {
  timeMin_ = route_.startTime.earliest;
  timeMax_ = route_.startTime.latest;
  auto widen = [this](std::int32_t low, std::int32_t high) {
    timeMin_ = std::min(timeMin_, low);
    timeMax_ = std::max(timeMax_, high);
  };
  for (const TimelineStop& stop : route_.stops) {
    widen(stop.arrival.earliest, stop.arrival.latest);
    if (stop.window) widen(stop.window->start, stop.window->end);
  }
  for (const TimelineActivity& a : route_.activities) widen(a.start, a.start + a.minutes);
}

std::int64_t RouteTimeline::spanUnits() const {
  return (static_cast<std::int64_t>(timeMax_) - timeMin_) / minutesPerUnit;
}

IntPoint RouteTimeline::scrollSize() const {
  const auto rows = static_cast<double>(route_.stops.size()) + 1.0;
  return {truncToInt((static_cast<double>(spanUnits()) + 4 * margin) * scaleX_),
          truncToInt((rows * rowPitch + margin) * scaleY_)};
}

std::int32_t RouteTimeline::scaledX(double logicalX) const { return truncToInt(logicalX * scaleX_); }

std::int32_t RouteTimeline::pixelX(std::int64_t time) const {
  return scaledX(static_cast<double>(2 * margin + (time - timeMin_) / minutesPerUnit));
}

std::int32_t RouteTimeline::pixelY(double logicalY) const { return truncToInt(logicalY * scaleY_); }

void RouteTimeline::drawAxis(PrimitiveList& out, std::int32_t base, const std::string& label) const {
  Primitive axis;
  axis.kind = Primitive::Kind::Line;
  axis.outline = axisColour;
  axis.points = {{scaledX(static_cast<double>(3 * margin + spanUnits())), pixelY(base)},
                 {scaledX(margin), pixelY(base)},
                 {scaledX(margin), pixelY(base - rowHeight)}};
  out.push_back(std::move(axis));

  Primitive text;
  text.kind = Primitive::Kind::Text;
  text.outline = axisColour;
  text.points = {{scaledX(margin), pixelY(base) + 6}};
  text.text = label;
  out.push_back(std::move(text));
}

void RouteTimeline::drawTriangle(PrimitiveList& out, std::int32_t base, const FuzzyTime& time, Rgb colour) const {
  Primitive triangle;
  triangle.kind = Primitive::Kind::Polygon;
  triangle.outline = colour;
  triangle.fill = colour;
  std::int32_t left = pixelX(time.earliest);
  std::int32_t right = pixelX(time.latest);
  const std::int32_t apex = pixelX(time.likely);
  if (right - left < minShapeWidth) {
    left = std::min(left, apex - minShapeWidth / 2);
    right = std::max(right, apex + minShapeWidth / 2);
  }
  triangle.points = {{left, pixelY(base)}, {apex, pixelY(base - shapeHeight)}, {right, pixelY(base)}};
  out.push_back(std::move(triangle));
}

void RouteTimeline::drawWindow(PrimitiveList& out, std::int32_t base, const FuzzyWindow& window) const {
  Primitive shape;
  shape.kind = Primitive::Kind::Polygon;
  shape.outline = axisColour;
  shape.fill = windowFill;
  shape.points = {{pixelX(window.start), pixelY(base)},
                  {pixelX(window.start), pixelY(base - shapeHeight)},
                  {pixelX(window.fullEnd), pixelY(base - shapeHeight)},
                  {pixelX(window.end), pixelY(base)}};
  out.push_back(std::move(shape));
}

// A bar of pen width 5 standing on the axis at the row's vertical line, as high as the
// satisfaction times the shape height, with the value written to its left.
void RouteTimeline::drawSatisfaction(PrimitiveList& out, std::int32_t base, float satisfaction,
                                     const TextMetrics& metrics) const {
  constexpr std::int32_t barWidth = 5;
  constexpr std::int32_t shift = 2;
  constexpr std::int32_t gap = 5;
  const std::int32_t x = scaledX(margin) - shift;
  const std::int32_t top = pixelY(base - static_cast<double>(shapeHeight) * satisfaction) - shift;

  Primitive bar;
  bar.kind = Primitive::Kind::Line;
  bar.outline = serviceColour;
  bar.penWidth = barWidth;
  bar.points = {{x, pixelY(base) - shift}, {x, top}};
  out.push_back(std::move(bar));

  char value[32];
  std::snprintf(value, sizeof value, "%.2f", static_cast<double>(satisfaction));
  Primitive text;
  text.kind = Primitive::Kind::Text;
  text.outline = axisColour;
  text.text = value;
  const auto width = static_cast<std::int32_t>(text.text.size()) * metrics.charWidth;
  text.points = {{x - barWidth / 2 - gap - width, top - metrics.charHeight / 2}};
  out.push_back(std::move(text));
}

namespace {

Rgb activityColour(ActivityKind kind) {
  switch (kind) {
    case ActivityKind::Drive:
      return driveColour;
    case ActivityKind::Service:
      return workColour;
    case ActivityKind::Wait:
      return waitColour;
    case ActivityKind::Break:
      return breakColour;
    case ActivityKind::DailyRest:
    case ActivityKind::WeeklyRest:
      break;
  }
  return restColour;
}

Primitive box(IntPoint topLeft, IntPoint bottomRight, Rgb colour) {
  Primitive rectangle;
  rectangle.kind = Primitive::Kind::Rectangle;
  rectangle.outline = colour;
  rectangle.fill = colour;
  rectangle.points = {topLeft, bottomRight};
  return rectangle;
}

}  // namespace

// The band of stretches just above the start row's axis, and the legend above the band.
void RouteTimeline::drawActivities(PrimitiveList& out, std::int32_t base, const TextMetrics& metrics) const {
  if (route_.activities.empty()) return;
  const std::int32_t bottom = pixelY(base) - 2;
  for (const TimelineActivity& a : route_.activities) {
    const std::int32_t left = pixelX(a.start);
    const std::int32_t right = std::max(pixelX(static_cast<std::int64_t>(a.start) + a.minutes), left + 1);
    out.push_back(box({left, bottom - bandHeight}, {right, bottom}, activityColour(a.kind)));
  }
  const std::pair<const char*, Rgb> legend[] = {{"driving", driveColour},
                                                {"work", workColour},
                                                {"waiting", waitColour},
                                                {"break", breakColour},
                                                {"rest", restColour}};
  std::int32_t x = scaledX(2 * margin);
  const std::int32_t top = pixelY(base - rowHeight);
  for (const auto& [name, colour] : legend) {
    out.push_back(box({x, top}, {x + metrics.charHeight, top + metrics.charHeight}, colour));
    Primitive label;
    label.kind = Primitive::Kind::Text;
    label.outline = axisColour;
    label.points = {{x + metrics.charHeight + metrics.charWidth / 2, top}};
    label.text = name;
    out.push_back(std::move(label));
    x += metrics.charHeight + metrics.charWidth * (static_cast<std::int32_t>(std::string(name).size()) + 2);
  }
}

PrimitiveList RouteTimeline::draw(const TimelineElements& elements, const TextMetrics& metrics) const {
  PrimitiveList out;
  drawAxis(out, rowBase(0), route_.startLabel.empty() ? route_.startPlaceName : route_.startLabel);
  drawActivities(out, rowBase(0), metrics);
  drawTriangle(out, rowBase(0), route_.startTime, arrivalColour);
  std::int32_t row = 1;
  for (const TimelineStop& stop : route_.stops) {
    const std::int32_t base = rowBase(row++);
    drawAxis(out, base, stop.label.empty() ? stop.placeName : stop.label);
    if (elements.timeWindows && stop.window) drawWindow(out, base, *stop.window);
    if (elements.arrivalTimes) drawTriangle(out, base, stop.arrival, arrivalColour);
    if (elements.serviceTimes) {
      drawTriangle(out, base, stop.shownArrival, serviceColour);
      drawSatisfaction(out, base, stop.satisfaction, metrics);
    }
  }
  return out;
}

}  // namespace tamso
