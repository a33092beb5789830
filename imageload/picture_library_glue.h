#pragma once
// The map picture's decoder seam filled with the GraphicsMagick loaders.
#include "map/picture_library.h"

namespace tamso {

PictureLibrary imageLoadLibrary();

}  // namespace tamso
