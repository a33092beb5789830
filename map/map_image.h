#pragma once
// The background picture: one packed device-independent bitmap in the layout of a BMP file
// (14-byte file header, 40-byte information header, colour table of 4-byte quads for 8 or
// fewer bits per pixel, then the pixel rows, each padded to 4 bytes: bottom row first, or top
// row first when the header gives the height as a negative number, as a BMP file may).
// Zoomed copies are made by nearest-neighbour resampling; drawing blits it unscaled.
#include <cstdint>
#include <string>
#include <vector>

#include "map/picture_library.h"
#include "map/primitives.h"

namespace tamso {

class MapImage {
 public:
  // lastError codes of the picture itself; any other non-zero code comes from the library.
  static constexpr std::int32_t errorNone = 0;
  static constexpr std::int32_t errorNoMemory = -50;
  static constexpr std::int32_t errorNotAccessible = -51;
  static constexpr std::int32_t errorUnknownType = -200;
  static constexpr std::int32_t errorNoBitmap = -201;
  static constexpr std::int32_t errorBadBitmap = -202;  // the block does not hold a whole bitmap
  static constexpr std::int32_t errorBlit = -204;

  static constexpr std::size_t fileHeaderBytes = 14;
  static constexpr std::size_t infoHeaderBytes = 40;
  static constexpr std::size_t headerBytes = fileHeaderBytes + infoHeaderBytes;
  // Resampling refuses to allocate a bitmap larger than this.
  static constexpr std::uint64_t maxBitmapBytes = std::uint64_t{1} << 30;

  MapImage() = default;
  MapImage(const MapImage& other) { copyFrom(other); }
  MapImage& operator=(const MapImage& other) {
    if (this != &other) copyFrom(other);
    return *this;
  }

  // Reads a picture file through the library. An unrecognised type leaves the held picture
  // untouched; otherwise the held picture is released first, so a failed decode leaves none.
  bool load(const std::string& name, const PictureLibrary& library);
  // Takes a bitmap block as a loader returned it; false (and no picture) when the block does
  // not hold a whole bitmap.
  bool adopt(std::vector<std::uint8_t> block, std::int32_t fileType, const std::string& name);
  // Nearest-neighbour copy at the new size; false with the picture unchanged when the size is
  // not positive or the block would be too large.
  bool resample(std::int32_t newWidth, std::int32_t newHeight);
  void copyFrom(const MapImage& other);
  void release();
  // Hands the whole block over; no picture is held afterwards.
  std::vector<std::uint8_t> takeBitmap();
  // x or y of -1 keeps the stored draw position. Appends a Picture primitive.
  bool draw(PrimitiveList& canvas, std::int32_t x = -1, std::int32_t y = -1);

  bool hasBitmap() const { return !bitmap_.empty(); }
  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  std::int32_t planes() const { return planes_; }
  std::int32_t bitCount() const { return bitCount_; }
  std::int32_t colourCount() const { return colourCount_; }
  std::int32_t colourTableBytes() const { return colourTableBytes_; }
  std::int32_t fileType() const { return fileType_; }
  std::int32_t lastError() const { return lastError_; }
  // Rows stored top row first.
  bool topDown() const { return topDown_; }
  std::int32_t drawX() const { return drawX_; }
  std::int32_t drawY() const { return drawY_; }
  const std::string& fileName() const { return fileName_; }
  // Changes whenever the bitmap changes (load, resample, copy).
  std::uint64_t version() const { return version_; }

  // The whole block, headers included.
  const std::vector<std::uint8_t>& bitmap() const { return bitmap_; }
  // Offset of the pixel rows: directly after the colour table.
  std::size_t pixelOffset() const { return headerBytes + static_cast<std::size_t>(colourTableBytes_); }
  std::size_t rowStride() const { return rowStride(bitCount_, width_); }
  // Row `row` counted from the top of the picture.
  const std::uint8_t* rowFromTop(std::int32_t row) const;
  // The colour of a pixel, from the colour table or the pixel value (1, 4, 8, 24, 32 bits).
  Rgb pixel(std::int32_t x, std::int32_t y) const;

  // Bytes per row of a bitmap of this bit count and width, rounded up to 4.
  static std::size_t rowStride(std::int32_t bitCount, std::int32_t width);

 private:
  bool readHeaderFacts();
  // Index in storage order of the row `row` counted from the top of a picture `height` high.
  std::size_t storedRow(std::int32_t row, std::int32_t height) const {
    return static_cast<std::size_t>(topDown_ ? row : height - 1 - row);
  }

  std::vector<std::uint8_t> bitmap_;
  std::int32_t lastError_ = errorNone;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::int32_t planes_ = 0;
  std::int32_t bitCount_ = 0;
  std::int32_t colourCount_ = 0;
  std::int32_t colourTableBytes_ = 0;
  std::int32_t fileType_ = 0;
  std::int32_t drawX_ = 0;
  std::int32_t drawY_ = 0;
  bool topDown_ = false;
  std::string fileName_;
  std::uint64_t version_ = 0;
};

// A packed bitmap of the given size and bit count, rows zero-filled (bottom row first, or top
// row first with `topDown`), with a colour table of 2^bitCount entries (all black) for 8 or
// fewer bits. Loaders and tests build on it.
std::vector<std::uint8_t> makeBitmapBlock(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                                          bool topDown = false);

}  // namespace tamso
