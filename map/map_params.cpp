#include "map/map_params.h"

#include <cmath>

#include "problem/entities.h"

namespace tamso {
namespace {

// Differences of calibration integers are formed in 64 bits and products in double
// precision: for every picture of sane size the results equal those of 32-bit arithmetic,
// and large values cannot overflow.
using Wide = std::int64_t;

// Distance between two integer points, the squares and their sum exact.
float exactDistance(Wide x1, Wide y1, Wide x2, Wide y2) {
  const double dx = static_cast<double>(x1 - x2);
  const double dy = static_cast<double>(y1 - y2);
  return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

// Pixel where a degree value crosses the picture's edge: the slope is stored in single
// precision, the rest is formed in double precision and stored in single precision.
// Equal degree values give no slope: every value then crosses at the first pixel.
float edgeCrossing(const EdgeCalibration& c, float degrees, float zoom) {
  const Wide pixelSpan = Wide{c.x2} - c.x1;
  const Wide degreeSpan = Wide{c.l2} - c.l1;
  if (degreeSpan == 0) return static_cast<float>(static_cast<double>(c.x1) * zoom);
  const float slope = static_cast<float>(static_cast<double>(pixelSpan) / static_cast<double>(degreeSpan));
  const double offset = static_cast<double>(c.l1) * static_cast<double>(pixelSpan) / static_cast<double>(degreeSpan);
  return static_cast<float>(((static_cast<double>(degrees) * slope + c.x1) - offset) * zoom);
}

}  // namespace

MapParams::MapParams() {
  setThreePoints(41, 1447, 734, 1534, 1342, 1454);
  setLongitudeCalibration(-20, 263, 40, 1161);
  setLatitudeCalibration(40, 1437, 60, 478);
}

void MapParams::setThreePoints(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t x3,
                               std::int32_t y3) {
  points_[0] = {x1, y1};
  points_[1] = {x2, y2};
  points_[2] = {x3, y3};
  // Formed in double precision: exact for any picture of sane size (the same results as
  // integer arithmetic), and free of overflow for any values at all.
  const double ax1 = x1, ay1 = y1, ax2 = x2, ay2 = y2, ax3 = x3, ay3 = y3;
  const double a = ax3 * ax3 + ay3 * ay3 - ax1 * ax1 - ay1 * ay1;
  const double b = ax1 * ax1 + ay1 * ay1 - ax2 * ax2 - ay2 * ay2;
  const double numeratorX = a * (ay1 - ay2) - b * (ay3 - ay1);
  const double denominatorX = 2 * ((ax3 - ax1) * (ay1 - ay2) - (ax1 - ax2) * (ay3 - ay1));
  const double numeratorY = a * (ax1 - ax2) - b * (ax3 - ax1);
  const double denominatorY = 2 * ((ay3 - ay1) * (ax1 - ax2) - (ay1 - ay2) * (ax3 - ax1));
  const double centreX = denominatorX != 0.0 ? numeratorX / denominatorX : 0.0;
  const double centreY = denominatorY != 0.0 ? numeratorY / denominatorY : 0.0;
  // Collinear points lie on no circle: the parallels are then straight rows.
  hasCentre_ = denominatorX != 0.0 && denominatorY != 0.0 && std::isfinite(static_cast<float>(centreX)) &&
               std::isfinite(static_cast<float>(centreY));
  centreX_ = hasCentre_ ? static_cast<float>(centreX) : 0.0f;
  centreY_ = hasCentre_ ? static_cast<float>(centreY) : 0.0f;
}

void MapParams::setLongitudeCalibration(std::int32_t l1, std::int32_t x1, std::int32_t l2, std::int32_t x2) {
  longitude_ = {l1, x1, l2, x2};
}

void MapParams::setLatitudeCalibration(std::int32_t l1, std::int32_t x1, std::int32_t l2, std::int32_t x2) {
  latitude_ = {l1, x1, l2, x2};
}

float MapParams::meridianColumn(float longitude, float zoom) const { return edgeCrossing(longitude_, longitude, zoom); }

float MapParams::parallelRow(float latitude, float zoom) const { return edgeCrossing(latitude_, latitude, zoom); }

IntPoint MapParams::projectCalibrated(float longitude, float latitude, float zoom) const {
  const float u = meridianColumn(longitude, zoom);
  const float v = parallelRow(latitude, zoom);
  const IntPoint crossings{truncToInt(u), truncToInt(v)};
  if (!hasCentre_) return crossings;
  const float centreX = centreX_ * zoom;
  const float centreY = centreY_ * zoom;
  const Wide cix = truncToInt(centreX);
  const Wide ciy = truncToInt(centreY);
  // Radius of the place's meridian crossing (on the top row) and of its parallel (through
  // the left column), both seen from the centre.
  const float r1 = exactDistance(cix, ciy, crossings.x, 0);
  const float r2 = exactDistance(cix, ciy, 0, crossings.y);
  // A centre on the top row at the meridian's crossing leaves no direction for the meridian.
  if (r1 == 0.0f) return crossings;
  const double x = (static_cast<double>(centreX) * r1 + (static_cast<double>(u) - centreX) * r2) / r1;
  const double y = std::fabs(static_cast<double>(r2) - r1) * (std::fabs(static_cast<double>(centreY_)) * zoom) / r1;
  return {truncToInt(static_cast<float>(x)), truncToInt(static_cast<float>(y))};
}

IntPoint MapParams::projectFixedFrame(float longitude, float latitude, std::int32_t width, std::int32_t height,
                                      float zoom) {
  const double canvasWidth = static_cast<double>(width) * zoom;
  const double canvasHeight = static_cast<double>(height) * zoom;
  const float x = static_cast<float>((longitude - frameWest) * (canvasWidth - 1.0) / (frameEast - frameWest) + 1.0);
  const float y = static_cast<float>(
      canvasHeight - ((latitude - frameSouth) * (canvasHeight - 1.0) / (frameNorth - frameSouth) + 1.0));
  return {truncToInt(x), truncToInt(y)};
}

IntPoint MapParams::project(float longitude, float latitude, const ProjectionFrame& frame) const {
  if (frame.backgroundShown) return projectCalibrated(longitude, latitude, frame.zoom);
  return projectFixedFrame(longitude, latitude, frame.width, frame.height, frame.zoom);
}

IntPoint MapParams::project(const Place& place, const ProjectionFrame& frame) const {
  return project(place.longitude, place.latitude, frame);
}

}  // namespace tamso
