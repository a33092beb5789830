#include "map/lock_mark.h"

#include <algorithm>

namespace tamso {

void drawLockMark(PrimitiveList& canvas, IntPoint start, std::int32_t size) {
  const Rgb black{0, 0, 0};
  const std::int32_t left = start.x + size;
  const std::int32_t top = start.y - size;
  const std::int32_t inset = size / 4;
  Primitive shackle;
  shackle.kind = Primitive::Kind::Line;
  shackle.points = {{left + inset, top},
                    {left + inset, top - size / 2},
                    {left + size - inset, top - size / 2},
                    {left + size - inset, top}};
  shackle.outline = black;
  shackle.penWidth = std::max<std::int32_t>(1, size / 6);
  canvas.push_back(shackle);
  Primitive body;
  body.kind = Primitive::Kind::Rectangle;
  body.points = {{left, top}, {left + size, top + size * 3 / 4}};
  body.outline = black;
  body.fill = Rgb{255, 204, 0};
  canvas.push_back(body);
}

}  // namespace tamso
