#pragma once
// The canvas of a map picture export: the primitives painted on white, as the window paints
// them. When the picture's own pixels are exactly the painted background and the caller may
// give the picture up (an export without a window, its last step), the canvas takes those
// pixels over instead of painting a copy of them, so a picture as large as the limits allow
// is held once.
#include <QImage>
#include <QSize>

#include "map/primitives.h"

namespace tamso {
class MapImage;
}

namespace tamso::ui {

class MapPainter;

// A null image when the canvas cannot be made. With `releasable` the picture may be taken
// over: it then holds no picture afterwards.
QImage exportCanvas(PrimitiveList primitives, QSize size, MapPainter& painter, MapImage* releasable = nullptr);

}  // namespace tamso::ui
