#pragma once
// The padlock drawn beside the start of a route the dispatcher locked, so that a locked
// route is told apart at a glance whatever its colour.
#include <cstdint>

#include "map/primitives.h"

namespace tamso {

// A padlock whose body's top-left corner is `size` pixels right of and above `start`: a
// shackle line and a filled body, `size` pixels wide.
void drawLockMark(PrimitiveList& canvas, IntPoint start, std::int32_t size);

}  // namespace tamso
