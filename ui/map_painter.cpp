#include "ui/map_painter.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "map/map_image.h"

namespace tamso::ui {

namespace {

QColor colourOf(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

QPolygon polygonOf(const std::vector<IntPoint>& points) {
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const IntPoint& p : points) polygon << QPoint(p.x, p.y);
  return polygon;
}

// The box from points[0] to points[1] with its right and bottom edges left out, as the
// outline of a one-pixel pen covers width + 1 pixels.
QRect boxOf(const Primitive& primitive) {
  const IntPoint a = primitive.points[0];
  const IntPoint b = primitive.points[1];
  return QRect(a.x, a.y, b.x - a.x - 1, b.y - a.y - 1);
}

void setOutlineAndFill(QPainter& painter, const Primitive& primitive) {
  painter.setPen(QPen(colourOf(primitive.outline), 1));
  painter.setBrush(primitive.filled ? QBrush(colourOf(primitive.fill)) : QBrush(Qt::NoBrush));
}

void copyTrueColourRows(const MapImage& picture, QImage& image, int bytesPerPixel) {
  for (int y = 0; y < picture.height(); ++y) {
    const std::uint8_t* row = picture.rowFromTop(y);
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      const std::uint8_t* px = row + static_cast<std::ptrdiff_t>(x) * bytesPerPixel;
      out[x] = qRgb(px[2], px[1], px[0]);
    }
  }
}

// The part of the canvas that the painter's device shows, in canvas coordinates.
QRectF visibleCanvas(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  QRectF visible = painter.transform().inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
  if (painter.hasClipping()) visible &= painter.clipBoundingRect();
  return visible;
}

}  // namespace

QImage toQImage(const MapImage& picture) {
  if (!picture.hasBitmap() || picture.width() <= 0 || picture.height() <= 0) return {};
  // Rows top first of blue, green, red and 255 are a QImage as they are: shown, not copied.
  if (picture.bitCount() == 32 && picture.topDown()) {
    return QImage(picture.rowFromTop(0), picture.width(), picture.height(), static_cast<qsizetype>(picture.rowStride()),
                  QImage::Format_RGB32);
  }
  QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
  if (image.isNull()) return {};
  if (picture.bitCount() == 24 || picture.bitCount() == 32) {
    copyTrueColourRows(picture, image, picture.bitCount() / 8);
    return image;
  }
  for (int y = 0; y < picture.height(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      const Rgb c = picture.pixel(x, y);
      out[x] = qRgb(c.r, c.g, c.b);
    }
  }
  return image;
}

const QImage& MapPainter::imageOf(const MapImage& picture, std::uint64_t version) {
  for (CachedImage& cached : cache_) {
    if (cached.source == &picture && cached.version == version) return cached.image;
  }
  // Replace the slot that held an older version of this bitmap, else the older slot.
  int slot = nextSlot_;
  for (int i = 0; i < 2; ++i) {
    if (cache_[i].source == &picture) slot = i;
  }
  if (slot == nextSlot_) nextSlot_ = 1 - nextSlot_;
  cache_[slot] = {&picture, version, toQImage(picture)};
  ++conversions_;
  return cache_[slot].image;
}

// Only the pixels of the picture that fall into the visible part are scaled, nearest
// neighbour, so the cost follows the window's size and not the zoom.
void MapPainter::drawScaledPicture(QPainter& painter, const Primitive& primitive) {
  const QImage& image = imageOf(*primitive.picture, primitive.pictureVersion);
  if (image.isNull()) return;
  const QPointF origin(primitive.points[0].x, primitive.points[0].y);
  const double scaleX = static_cast<double>(primitive.points[1].x) / image.width();
  const double scaleY = static_cast<double>(primitive.points[1].y) / image.height();
  if (scaleX <= 0.0 || scaleY <= 0.0) return;
  const QRectF visible = visibleCanvas(painter).translated(-origin);
  const int left = std::clamp(static_cast<int>(std::floor(visible.left() / scaleX)), 0, image.width());
  const int top = std::clamp(static_cast<int>(std::floor(visible.top() / scaleY)), 0, image.height());
  const int right = std::clamp(static_cast<int>(std::ceil(visible.right() / scaleX)) + 1, 0, image.width());
  const int bottom = std::clamp(static_cast<int>(std::ceil(visible.bottom() / scaleY)) + 1, 0, image.height());
  if (right <= left || bottom <= top) return;
  const QRectF source(left, top, right - left, bottom - top);
  const QRectF target(origin.x() + left * scaleX, origin.y() + top * scaleY, source.width() * scaleX,
                      source.height() * scaleY);
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(target, image, source);
  painter.restore();
}

void MapPainter::paint(QPainter& painter, const PrimitiveList& primitives) {
  for (const Primitive& primitive : primitives) paint(painter, primitive);
}

void MapPainter::paint(QPainter& painter, const Primitive& primitive) {
  const auto& pts = primitive.points;
  switch (primitive.kind) {
    case Primitive::Kind::Pixel:
      if (pts.empty()) return;
      painter.setPen(QPen(colourOf(primitive.outline), 1));
      painter.drawPoint(pts[0].x, pts[0].y);
      return;
    case Primitive::Kind::Ellipse:
      if (pts.size() < 2) return;
      setOutlineAndFill(painter, primitive);
      painter.drawEllipse(boxOf(primitive));
      return;
    case Primitive::Kind::Rectangle:
      if (pts.size() < 2) return;
      setOutlineAndFill(painter, primitive);
      painter.drawRect(boxOf(primitive));
      return;
    case Primitive::Kind::Polygon:
      if (pts.empty()) return;
      setOutlineAndFill(painter, primitive);
      painter.drawPolygon(polygonOf(pts), primitive.fillRule == FillRule::Winding ? Qt::WindingFill : Qt::OddEvenFill);
      return;
    case Primitive::Kind::Line: {
      if (pts.empty()) return;
      QPen pen(colourOf(primitive.outline), primitive.penWidth);
      if (primitive.roundPen) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
      }
      painter.setPen(pen);
      painter.drawPolyline(polygonOf(pts));
      return;
    }
    case Primitive::Kind::Text: {
      if (pts.empty()) return;
      painter.setPen(colourOf(primitive.outline));
      painter.setBackgroundMode(Qt::TransparentMode);
      QFont font = painter.font();
      font.setStyleHint(QFont::Monospace);
      font.setFamily(QStringLiteral("Monospace"));
      painter.setFont(font);
      painter.drawText(QRect(pts[0].x, pts[0].y, 10000, 10000), Qt::AlignLeft | Qt::AlignTop,
                       QString::fromStdString(primitive.text));
      return;
    }
    case Primitive::Kind::Picture:
      if (pts.empty() || primitive.picture == nullptr) return;
      painter.drawImage(QPoint(pts[0].x, pts[0].y), imageOf(*primitive.picture, primitive.pictureVersion));
      return;
    case Primitive::Kind::ScaledPicture:
      if (pts.size() < 2 || primitive.picture == nullptr) return;
      drawScaledPicture(painter, primitive);
      return;
  }
}

}  // namespace tamso::ui
