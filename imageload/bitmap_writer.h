#pragma once
// Conversion of a decoded picture into the packed bitmap layout of MapImage.
#include <Magick++.h>

#include "imageload/image_load.h"

namespace tamso {

// 8 bits with a 256-entry colour table for palette pictures of up to 256 colours, 24 bits
// otherwise; transparent pixels are laid over white.
PictureBlock packedBitmap(Magick::Image& image);

}  // namespace tamso
