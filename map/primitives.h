#pragma once
// Drawing as data: the map and the route time line produce lists of primitives that the
// window hands to its painter and that tests compare exactly.
#include <cstdint>
#include <string>
#include <vector>

#include "core/geometry.h"

namespace tamso {

class MapImage;

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  static constexpr Rgb fromHex(std::uint32_t rgb) {
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
  }
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class FillRule { Alternate, Winding };

struct Primitive {
  enum class Kind {
    Pixel,          // points[0] in `outline`
    Ellipse,        // box points[0] (top-left) to points[1] (bottom-right), outlined and filled
    Rectangle,      // the same box convention
    Polygon,        // points, closed, filled by `fillRule`
    Line,           // polyline through points, in `outline` with `penWidth`
    Text,           // `text` with its top-left corner at points[0], transparent background
    Picture,        // `picture` blitted unscaled with its top-left corner at points[0]
    ScaledPicture,  // `picture` stretched to the size points[1] with its top-left corner at points[0]
  };
  Kind kind = Kind::Pixel;
  std::vector<IntPoint> points;
  Rgb outline;
  Rgb fill;
  bool filled = true;
  FillRule fillRule = FillRule::Alternate;
  std::int32_t penWidth = 1;
  bool roundPen = false;  // Line: round caps and joins (the outline around a selected route)
  std::string text;
  // Picture only: the bitmap to blit (it outlives the list) and its version, which changes
  // whenever the bitmap's pixels change, so a window may cache its converted copy by it.
  const MapImage* picture = nullptr;
  std::uint64_t pictureVersion = 0;

  friend bool operator==(const Primitive&, const Primitive&) = default;
};

using PrimitiveList = std::vector<Primitive>;

}  // namespace tamso
