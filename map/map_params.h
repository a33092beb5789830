#pragma once
// The calibration of the background picture and the projection of places onto the canvas.
// Calibrated projection (background shown): meridians are rays from a centre through their
// crossings of the picture's top row, parallels are circles around it through their crossings
// of the left column. Fixed-frame projection (no background): a longitude/latitude box
// stretched over the canvas.
#include <cstdint>

#include "core/geometry.h"

namespace tamso {

struct Place;

// Two whole-degree values and the pixel (column of the top row for longitudes, row of the
// left column for latitudes) at which each crosses the picture's edge.
struct EdgeCalibration {
  std::int32_t l1 = 0;
  std::int32_t x1 = 0;
  std::int32_t l2 = 0;
  std::int32_t x2 = 0;
  friend bool operator==(const EdgeCalibration&, const EdgeCalibration&) = default;
};

// What the projection needs besides the calibration: the canvas size at zoom 1.0, the zoom
// factor, and whether the background is shown (which picks the projection).
struct ProjectionFrame {
  std::int32_t width = 0;
  std::int32_t height = 0;
  float zoom = 1.0f;
  bool backgroundShown = false;
};

class MapParams {
 public:
  static constexpr float frameWest = -35.0f;
  static constexpr float frameEast = 52.0f;
  static constexpr float frameSouth = 32.0f;
  static constexpr float frameNorth = 71.0f;

  // The calibration of the original picture of Europe.
  MapParams();

  // Stores three points on one parallel and recomputes the centre of their circle.
  void setThreePoints(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t x3,
                      std::int32_t y3);
  void setLongitudeCalibration(std::int32_t l1, std::int32_t x1, std::int32_t l2, std::int32_t x2);
  void setLatitudeCalibration(std::int32_t l1, std::int32_t x1, std::int32_t l2, std::int32_t x2);

  // index 0, 1 or 2.
  IntPoint point(int index) const { return points_[index < 0 || index > 2 ? 0 : index]; }
  float centreX() const { return centreX_; }
  float centreY() const { return centreY_; }
  // False when the three points are collinear: parallels are then drawn as straight rows.
  bool hasCentre() const { return hasCentre_; }
  const EdgeCalibration& longitude() const { return longitude_; }
  const EdgeCalibration& latitude() const { return latitude_; }

  // Column at which the meridian of `longitude` crosses the top row, at zoom z.
  float meridianColumn(float longitude, float zoom) const;
  // Row at which the parallel of `latitude` crosses the left column, at zoom z.
  float parallelRow(float latitude, float zoom) const;

  IntPoint projectCalibrated(float longitude, float latitude, float zoom) const;
  static IntPoint projectFixedFrame(float longitude, float latitude, std::int32_t width, std::int32_t height,
                                    float zoom);
  IntPoint project(float longitude, float latitude, const ProjectionFrame& frame) const;
  IntPoint project(const Place& place, const ProjectionFrame& frame) const;

 private:
  IntPoint points_[3];
  float centreX_ = 0.0f;
  float centreY_ = 0.0f;
  bool hasCentre_ = false;
  EdgeCalibration longitude_;
  EdgeCalibration latitude_;
};

}  // namespace tamso
