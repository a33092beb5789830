#pragma once
// The map picture's decoder seam filled with the GraphicsMagick loaders.
#include "imageload/image_load.h"
#include "map/picture_library.h"

namespace tamso {

PictureLibrary imageLoadLibrary(PictureLayout layout = PictureLayout::Packed);

}  // namespace tamso
