#pragma once
// The seam between the map picture and the library that decodes picture files. The map core
// never links a decoder: the windowed program and the command-line tool hand MapImage a
// PictureLibrary filled with the real decoders, tests may hand it their own.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tamso {

struct PictureLibrary {
  // Type code of a file name: 0 unknown, 1 BMP, 2 GIF, 3 PCX, 4 TGA, 5 JPG, 6 TIF, 7 PNG.
  std::function<std::int32_t(const std::string& name)> fileType;
  // Decodes the file as the given type into the packed bitmap layout (see MapImage);
  // an empty block on failure.
  std::function<std::vector<std::uint8_t>(std::int32_t type, const std::string& name)> load;
  // The reason of the last failed load.
  std::function<std::int32_t()> lastError;
  // A reason code in words.
  std::function<std::string(std::int32_t code)> errorText;
};

}  // namespace tamso
