#pragma once
// PNG pictures decoded row by row straight into the packed bitmap, so a large picture is held
// once, not a second time in the general decoder's pixel cache of 8 bytes a pixel.
#include <cstdint>
#include <string>

#include "imageload/image_load.h"

namespace tamso {

// Decodes the bytes of a PNG file into `block`: 8 bits with the picture's colour table for a
// palette picture, 24 bits otherwise (32 bits top row first in the drawing layout), transparent
// pixels laid over white. Returns pictureErrorNone, or the reason of the failure with `block`
// empty.
std::int32_t decodePngRows(const std::string& bytes, PictureBlock& block, PictureLayout layout);

}  // namespace tamso
