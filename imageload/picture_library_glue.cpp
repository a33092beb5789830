#include "imageload/picture_library_glue.h"

#include "imageload/image_load.h"

namespace tamso {

PictureLibrary imageLoadLibrary(PictureLayout layout) {
  PictureLibrary library;
  library.fileType = [](const std::string& name) { return FileType(name); };
  library.load = [layout](std::int32_t type, const std::string& name) { return LoadPicture(type, name, layout); };
  library.lastError = [] { return GetLastPicLibError(); };
  library.errorText = [](std::int32_t code) { return pictureErrorText(code); };
  return library;
}

}  // namespace tamso
