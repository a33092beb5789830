#include "ui/export_canvas.h"

#include <QPainter>
#include <cstdint>
#include <vector>

#include "map/map_image.h"
#include "ui/map_painter.h"

namespace tamso::ui {

namespace {

// The picture's pixels are the painted background exactly when it is drawn first, unscaled,
// at the canvas's origin, of the canvas's size, in the drawing layout (Qt's 32-bit RGB).
bool pictureIsTheBackground(const PrimitiveList& primitives, QSize size, const MapImage* releasable) {
  if (releasable == nullptr || primitives.empty()) return false;
  const Primitive& first = primitives.front();
  return first.kind == Primitive::Kind::Picture && first.picture == releasable && !first.points.empty() &&
         first.points[0] == IntPoint{0, 0} && releasable->width() == size.width() &&
         releasable->height() == size.height() && releasable->bitCount() == 32 && releasable->topDown();
}

void deleteBlock(void* block) { delete static_cast<std::vector<std::uint8_t>*>(block); }

// The picture's block as an image that frees it.
QImage takeOver(MapImage& picture) {
  const int width = picture.width();
  const int height = picture.height();
  const auto stride = static_cast<qsizetype>(picture.rowStride());
  const std::size_t offset = picture.pixelOffset();
  auto* block = new std::vector<std::uint8_t>(picture.takeBitmap());
  return QImage(block->data() + offset, width, height, stride, QImage::Format_RGB32, deleteBlock, block);
}

}  // namespace

QImage exportCanvas(PrimitiveList primitives, QSize size, MapPainter& painter, MapImage* releasable) {
  QImage canvas;
  if (pictureIsTheBackground(primitives, size, releasable)) {
    canvas = takeOver(*releasable);
    primitives.erase(primitives.begin());
  } else {
    canvas = QImage(size, QImage::Format_RGB32);
    if (canvas.isNull()) return canvas;
    canvas.fill(Qt::white);
  }
  QPainter canvasPainter(&canvas);
  painter.paint(canvasPainter, primitives);
  return canvas;
}

}  // namespace tamso::ui
