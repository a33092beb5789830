// The time axis under a route's time line: hours and days in local time, as every time of
// the route is shown.
#include <array>
#include <ctime>
#include <optional>
#include <utility>

#include "map/route_timeline.h"

namespace tamso {

using namespace timeline;

namespace {

constexpr std::int32_t lineRow = 2;
constexpr std::int32_t hourTick = 4;
constexpr std::int32_t labelledTick = 8;
constexpr std::int32_t dayTick = 14;
constexpr std::int32_t labelGap = 8;

std::tm localCalendar(std::int64_t minutes) {
  const std::time_t seconds = static_cast<std::time_t>(minutes) * 60;
  std::tm calendar{};
  localtime_r(&seconds, &calendar);
  return calendar;
}

std::string formatted(std::int64_t minutes, const char* format) {
  const std::tm calendar = localCalendar(minutes);
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, format, &calendar);
  return std::string(text, length);
}

// The first whole local hour at or after `minutes`.
std::int64_t firstHourFrom(std::int64_t minutes) {
  const std::int32_t pastTheHour = localCalendar(minutes).tm_min;
  return pastTheHour == 0 ? minutes : minutes + minutesPerHour - pastTheHour;
}

// Hours from one labelled tick to the next: the fewest that leave room for a label.
std::int32_t hoursPerLabel(double pixelsPerHour, std::int32_t labelWidth) {
  for (const std::int32_t hours : std::array{1, 2, 3, 6, 12}) {
    if (pixelsPerHour * hours >= labelWidth + labelGap) return hours;
  }
  return 24;
}

// The longest date that fits a day's width: weekday and full date, weekday and day, the day.
const char* dateFormatFor(double pixelsPerDay, const TextMetrics& metrics) {
  for (const auto& [format, characters] : {std::pair{"%a %Y-%m-%d", 14}, std::pair{"%a %d", 6}}) {
    if (pixelsPerDay >= characters * metrics.charWidth + labelGap + 3) return format;
  }
  return "%d";
}

Primitive axisLine(std::vector<IntPoint> points) {
  Primitive line;
  line.kind = Primitive::Kind::Line;
  line.outline = axisColour;
  line.points = std::move(points);
  return line;
}

Primitive axisText(IntPoint at, std::string text) {
  Primitive label;
  label.kind = Primitive::Kind::Text;
  label.outline = axisColour;
  label.points = {at};
  label.text = std::move(text);
  return label;
}

std::int32_t textWidth(const std::string& text, const TextMetrics& metrics) {
  return static_cast<std::int32_t>(text.size()) * metrics.charWidth;
}

}  // namespace

PrimitiveList RouteTimeline::drawTimeAxis(const TextMetrics& metrics) const {
  PrimitiveList out;
  // The axis spans the rows' axes: logical x from the margin to three margins past the span.
  const std::int32_t left = scaledX(margin);
  const std::int32_t right = scaledX(static_cast<double>(3 * margin + spanUnits()));
  out.push_back(axisLine({{left, lineRow}, {right, lineRow}}));
  const std::int64_t from = timeMin_ - static_cast<std::int64_t>(margin) * minutesPerUnit;
  const std::int64_t to = timeMin_ + (static_cast<std::int64_t>(margin) + spanUnits()) * minutesPerUnit;

  const double pixelsPerHour = static_cast<double>(minutesPerHour) / minutesPerUnit * scaleX_;
  const std::int32_t hourLabelWidth = textWidth("00:00", metrics);
  const std::int32_t step = hoursPerLabel(pixelsPerHour, hourLabelWidth);
  const std::int32_t hourRow = lineRow + dayTick + 2;
  const std::int32_t dayRow = hourRow + metrics.charHeight + 2;
  std::optional<std::int32_t> firstMidnight;
  const char* dateFormat = dateFormatFor(pixelsPerHour * 24, metrics);
  for (std::int64_t t = firstHourFrom(from); t <= to; t += minutesPerHour) {
    const std::int32_t x = pixelX(t);
    const std::int32_t hour = localCalendar(t).tm_hour;
    const bool midnight = hour == 0;
    const bool labelled = hour % step == 0;
    if (!midnight && !labelled && pixelsPerHour < hourTick) continue;
    const std::int32_t tick = midnight ? dayTick : (labelled ? labelledTick : hourTick);
    out.push_back(axisLine({{x, lineRow}, {x, lineRow + tick}}));
    if (labelled) out.push_back(axisText({x - hourLabelWidth / 2, hourRow}, formatted(t, "%H:%M")));
    if (midnight) {
      if (!firstMidnight) firstMidnight = x;
      out.push_back(axisText({x + 3, dayRow}, formatted(t, dateFormat)));
    }
  }
  // The day the axis starts in, when the label of the next midnight leaves room for it.
  std::string firstDay = formatted(from, dateFormat);
  const std::int32_t firstDayEnd = left + 3 + textWidth(firstDay, metrics);
  if (!firstMidnight || (*firstMidnight != left && firstDayEnd + labelGap <= *firstMidnight + 3)) {
    out.push_back(axisText({left + 3, dayRow}, std::move(firstDay)));
  }
  return out;
}

}  // namespace tamso
