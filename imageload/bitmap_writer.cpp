#include "imageload/bitmap_writer.h"

#include "map/map_image.h"

namespace tamso {
namespace {

// A colour channel in 8 bits, laid over white by the pixel's transparency.
std::uint8_t channel(MagickLib::Quantum value, MagickLib::Quantum opacity, bool matte) {
  std::uint32_t v = value;
  if (matte) {
    const std::uint32_t op = opacity;
    v = static_cast<std::uint32_t>((std::uint64_t{v} * (MaxRGB - op) + std::uint64_t{MaxRGB} * op) / MaxRGB);
  }
  return static_cast<std::uint8_t>(ScaleQuantumToChar(v));
}

bool isPalettePicture(const Magick::Image& image) {
  if (image.classType() != MagickLib::PseudoClass) return false;
  // colorMapSize throws for pictures without a colour map.
  const unsigned int colours = const_cast<Magick::Image&>(image).colorMapSize();
  return colours > 0 && colours <= 256;
}

PictureBlock palettePicture(Magick::Image& image, std::int32_t width, std::int32_t height) {
  PictureBlock block = makeBitmapBlock(width, height, 8);
  const bool matte = image.matte();
  const unsigned int colours = image.colorMapSize();
  for (unsigned int i = 0; i < colours; ++i) {
    const Magick::Color colour = image.colorMap(i);
    const MagickLib::PixelPacket packet = colour;
    std::uint8_t* quad = block.data() + MapImage::headerBytes + 4 * static_cast<std::size_t>(i);
    quad[0] = channel(packet.blue, packet.opacity, matte);
    quad[1] = channel(packet.green, packet.opacity, matte);
    quad[2] = channel(packet.red, packet.opacity, matte);
  }
  const std::size_t offset = MapImage::headerBytes + 4 * 256;
  const std::size_t stride = MapImage::rowStride(8, width);
  for (std::int32_t y = 0; y < height; ++y) {
    image.getConstPixels(0, y, static_cast<unsigned int>(width), 1);
    const MagickLib::IndexPacket* indexes = image.getConstIndexes();
    if (indexes == nullptr) return {};
    std::uint8_t* row = block.data() + offset + stride * static_cast<std::size_t>(height - 1 - y);
    for (std::int32_t x = 0; x < width; ++x) {
      const unsigned int index = indexes[x];
      row[x] = static_cast<std::uint8_t>(index < colours ? index : 0);
    }
  }
  return block;
}

PictureBlock truecolourPicture(Magick::Image& image, std::int32_t width, std::int32_t height) {
  PictureBlock block = makeBitmapBlock(width, height, 24);
  const bool matte = image.matte();
  const std::size_t stride = MapImage::rowStride(24, width);
  for (std::int32_t y = 0; y < height; ++y) {
    const MagickLib::PixelPacket* pixels = image.getConstPixels(0, y, static_cast<unsigned int>(width), 1);
    if (pixels == nullptr) return {};
    std::uint8_t* row = block.data() + MapImage::headerBytes + stride * static_cast<std::size_t>(height - 1 - y);
    for (std::int32_t x = 0; x < width; ++x) {
      const MagickLib::PixelPacket& p = pixels[x];
      row[3 * x] = channel(p.blue, p.opacity, matte);
      row[3 * x + 1] = channel(p.green, p.opacity, matte);
      row[3 * x + 2] = channel(p.red, p.opacity, matte);
    }
  }
  return block;
}

}  // namespace

PictureBlock packedBitmap(Magick::Image& image) {
  const auto width = static_cast<std::int32_t>(image.columns());
  const auto height = static_cast<std::int32_t>(image.rows());
  if (isPalettePicture(image)) return palettePicture(image, width, height);
  return truecolourPicture(image, width, height);
}

}  // namespace tamso
