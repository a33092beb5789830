// The picture loaders: the first byte picks the format (1 to 7), the rest is the file.
// A picture that decodes is taken into the map picture and resampled.
#include "imageload/image_load.h"
#include "map/map_image.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::int32_t type = 1 + data[0] % 7;
  tamso::PictureBlock block =
      tamso::decodePicture(type, std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  if (block.empty()) return 0;
  tamso::MapImage image;
  if (!image.adopt(std::move(block), type, "fuzz")) return 0;
  image.resample(image.width() / 2 + 1, image.height() * 2);
  return 0;
}
