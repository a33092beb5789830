#pragma once
// Hands the map core's primitives to a QPainter. Route bands use the alternate (odd-even)
// fill rule, triangles the winding rule, as each primitive says. A background bitmap is
// converted to a QImage once per bitmap version (one in the drawing layout is only wrapped); a zoomed background is
// drawn by scaling only the part of it that the painter's device shows.
#include <QImage>
#include <cstdint>

#include "map/primitives.h"

class QPainter;

namespace tamso {
class MapImage;
}

namespace tamso::ui {

// The picture as a QImage, top row first. A picture in the drawing layout (32 bits, top row
// first) is wrapped without a copy: the QImage is valid while the picture's bitmap is.
QImage toQImage(const MapImage& picture);

class MapPainter {
 public:
  void paint(QPainter& painter, const PrimitiveList& primitives);
  void paint(QPainter& painter, const Primitive& primitive);

  // How many bitmap conversions this painter has made (the cache is per bitmap version).
  int conversions() const { return conversions_; }

 private:
  const QImage& imageOf(const MapImage& picture, std::uint64_t version);
  void drawScaledPicture(QPainter& painter, const Primitive& primitive);

  struct CachedImage {
    const MapImage* source = nullptr;
    std::uint64_t version = 0;
    QImage image;
  };
  // The loaded picture and its zoomed copy.
  CachedImage cache_[2];
  int nextSlot_ = 0;
  int conversions_ = 0;
};

}  // namespace tamso::ui
