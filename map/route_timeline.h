#pragma once
// The time line of one route as drawing primitives: one horizontal axis per row, the
// vehicle's start time on the first row and, on one row per stop, the stop's time window
// (a trapezoid), its fuzzy arrival (a grey triangle), its service start (a dark-red
// triangle) and how well the arrival meets the window (a bar with its value). Under the
// driving and rest times the start row also carries the route's timeline as a band of
// coloured stretches (driving, work, waiting, breaks, rests) with a legend.
//
// The route is taken as a snapshot of plain values, so a drawing never refers back to a
// route that may have been replaced by a later optimisation run.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "map/primitives.h"
#include "problem/fuzzy.h"
#include "routing/driver_state.h"

namespace tamso {

class Route;

struct TimelineStop {
  std::string placeName;
  FuzzyTime arrival;
  FuzzyTime shownArrival;  // service start as shown to the dispatcher
  std::optional<FuzzyWindow> window;
  float satisfaction = 1.0f;
  std::string label;  // the row's label ("PICKUP ORDER1 PARIS"); the place name when empty
};

struct TimelineActivity {
  ActivityKind kind = ActivityKind::Drive;
  std::int32_t start = 0;
  std::int32_t minutes = 0;
};

struct TimelineRoute {
  std::string startPlaceName;  // empty when the vehicle has no start place
  FuzzyTime startTime;         // all zero when the vehicle has no start time
  std::vector<TimelineStop> stops;
  std::string vehicleName;
  std::string startLabel;                    // the start row's label ("START PARIS"); the place name when empty
  std::vector<TimelineActivity> activities;  // only under the driving and rest times

  static TimelineRoute of(const Route& route);
};

// Which shapes of the stop rows are drawn (the start row is always drawn).
struct TimelineElements {
  bool timeWindows = true;
  bool arrivalTimes = true;
  bool serviceTimes = true;
};

// Size of one character cell of the fixed-pitch label font, in pixels.
struct TextMetrics {
  std::int32_t charWidth = 8;
  std::int32_t charHeight = 12;
};

namespace timeline {
inline constexpr std::int32_t margin = 40;
inline constexpr std::int32_t rowHeight = 60;
inline constexpr std::int32_t rowPitch = rowHeight + margin;
inline constexpr std::int32_t shapeHeight = 40;
inline constexpr std::int32_t minutesPerUnit = 15;
inline constexpr double zoomStep = 1.1;
inline constexpr Rgb axisColour{0, 0, 0};
inline constexpr Rgb windowFill{255, 255, 208};
inline constexpr Rgb arrivalColour{128, 128, 128};
inline constexpr Rgb serviceColour{160, 0, 0};
// The stretches of the activity band, and its height in pixels.
inline constexpr Rgb driveColour{70, 110, 200};
inline constexpr Rgb workColour{60, 160, 60};
inline constexpr Rgb waitColour{200, 200, 200};
inline constexpr Rgb breakColour{240, 160, 40};
inline constexpr Rgb restColour{150, 70, 170};
inline constexpr std::int32_t bandHeight = 10;
// Fuzzy times are drawn at least this many pixels wide, so a sharp time stays visible.
inline constexpr std::int32_t minShapeWidth = 4;
// The time axis under the rows: its height in text lines plus this many pixels.
inline constexpr std::int32_t axisPadding = 24;
inline constexpr std::int32_t minutesPerHour = 60;
}  // namespace timeline

// A zoom factor after "+": multiplied by the zoom step.
double zoomedIn(double scale);
// A zoom factor after "--": divided by the zoom step only when above 1.0, never below 1.0.
double zoomedOut(double scale);

class RouteTimeline {
 public:
  explicit RouteTimeline(TimelineRoute route);

  const TimelineRoute& route() const { return route_; }
  std::int32_t timeMin() const { return timeMin_; }
  std::int32_t timeMax() const { return timeMax_; }

  double scaleX() const { return scaleX_; }
  double scaleY() const { return scaleY_; }
  void zoomInX() { scaleX_ = zoomedIn(scaleX_); }
  void zoomOutX() { scaleX_ = zoomedOut(scaleX_); }
  void zoomInY() { scaleY_ = zoomedIn(scaleY_); }
  void zoomOutY() { scaleY_ = zoomedOut(scaleY_); }

  // Width and height of the whole drawing in pixels at the current scales.
  IntPoint scrollSize() const;
  // The whole drawing in pixels, row by row: axis, label, then the row's shapes.
  PrimitiveList draw(const TimelineElements& elements, const TextMetrics& metrics) const;
  // The time axis for a strip under the rows, in the drawing's columns and the strip's own
  // rows (0 at its top): a line with a tick at every hour that has room, longer ticks at
  // midnight, hour labels as far apart as their width needs, and the date of each day.
  PrimitiveList drawTimeAxis(const TextMetrics& metrics) const;
  static std::int32_t timeAxisHeight(const TextMetrics& metrics) {
    return 2 * metrics.charHeight + timeline::axisPadding;
  }

  // Pixel column of a time and pixel row of a logical height, at the current scales.
  std::int32_t pixelX(std::int64_t time) const;
  std::int32_t pixelY(double logicalY) const;
  // Logical y of the axis of row k (0: the start row).
  static std::int32_t rowBase(std::int32_t row) { return 100 + timeline::rowPitch * row; }

 private:
  std::int32_t scaledX(double logicalX) const;
  std::int64_t spanUnits() const;
  void drawAxis(PrimitiveList& out, std::int32_t base, const std::string& label) const;
  void drawTriangle(PrimitiveList& out, std::int32_t base, const FuzzyTime& time, Rgb colour) const;
  void drawWindow(PrimitiveList& out, std::int32_t base, const FuzzyWindow& window) const;
  void drawActivities(PrimitiveList& out, std::int32_t base, const TextMetrics& metrics) const;
  void drawSatisfaction(PrimitiveList& out, std::int32_t base, float satisfaction, const TextMetrics& metrics) const;

  TimelineRoute route_;
  std::int32_t timeMin_ = 0;
  std::int32_t timeMax_ = 0;
  double scaleX_ = 1.0;
  double scaleY_ = 1.0;
};

}  // namespace tamso
