#include "map/map_image.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace tamso {
namespace {

std::uint32_t readLittle(const std::vector<std::uint8_t>& block, std::size_t offset, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | block[offset + static_cast<std::size_t>(i)];
  return value;
}

void writeLittle(std::vector<std::uint8_t>& block, std::size_t offset, int bytes, std::uint32_t value) {
  for (int i = 0; i < bytes; ++i)
    block[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::int32_t colourCountOf(std::int32_t bitCount, std::int32_t planes) {
  if (bitCount >= 16 || bitCount < 0) return 0;
  std::int64_t count = std::int64_t{1} << bitCount;
  if (planes > 1) count <<= std::min(planes - 1, 16);
  return static_cast<std::int32_t>(std::min<std::int64_t>(count, std::int64_t{1} << 24));
}

// Copies pixel `from` of a source row to pixel `to` of a destination row.
void copyPixel(const std::uint8_t* source, std::uint8_t* destination, std::int32_t bitCount, std::int32_t from,
               std::int32_t to) {
  switch (bitCount) {
    case 1: {
      const int bit = (source[from / 8] >> (7 - from % 8)) & 1;
      destination[to / 8] = static_cast<std::uint8_t>(destination[to / 8] | (bit << (7 - to % 8)));
      break;
    }
    case 4: {
      const int nibble = from % 2 == 0 ? source[from / 2] >> 4 : source[from / 2] & 0x0F;
      destination[to / 2] = static_cast<std::uint8_t>(destination[to / 2] | (to % 2 == 0 ? nibble << 4 : nibble));
      break;
    }
    case 8:
    case 16:
    case 24:
    case 32: {
      const std::size_t bytes = static_cast<std::size_t>(bitCount / 8);
      std::memcpy(destination + bytes * static_cast<std::size_t>(to), source + bytes * static_cast<std::size_t>(from),
                  bytes);
      break;
    }
    default:
      break;  // other depths are not resampled: the rows stay zero
  }
}

}  // namespace

std::size_t MapImage::rowStride(std::int32_t bitCount, std::int32_t width) {
  const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
  std::size_t bytes = w;
  switch (bitCount) {
    case 1:
      bytes = (w + 7) / 8;
      break;
    case 4:
      bytes = (w + 1) / 2;
      break;
    case 8:
      bytes = w;
      break;
    case 16:
      bytes = 2 * w;
      break;
    case 24:
      bytes = 3 * w;
      break;
    case 32:
      bytes = 4 * w;
      break;
    default:
      break;
  }
  return (bytes + 3) / 4 * 4;
}

std::vector<std::uint8_t> makeBitmapBlock(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                                          bool topDown) {
  const std::size_t tableBytes = bitCount <= 8 ? 4 * (std::size_t{1} << bitCount) : 0;
  const std::size_t imageBytes = MapImage::rowStride(bitCount, width) * static_cast<std::size_t>(height);
  const std::size_t offset = MapImage::headerBytes + tableBytes;
  std::vector<std::uint8_t> block(offset + imageBytes, 0);
  block[0] = 'B';
  block[1] = 'M';
  writeLittle(block, 2, 4, static_cast<std::uint32_t>(block.size()));
  writeLittle(block, 10, 4, static_cast<std::uint32_t>(offset));
  writeLittle(block, 14, 4, MapImage::infoHeaderBytes);
  writeLittle(block, 18, 4, static_cast<std::uint32_t>(width));
  writeLittle(block, 22, 4, static_cast<std::uint32_t>(topDown ? -height : height));
  writeLittle(block, 26, 2, 1);
  writeLittle(block, 28, 2, static_cast<std::uint32_t>(bitCount));
  writeLittle(block, 34, 4, static_cast<std::uint32_t>(imageBytes));
  writeLittle(block, 46, 4, bitCount <= 8 ? static_cast<std::uint32_t>(tableBytes / 4) : 0);
  return block;
}

void MapImage::release() {
  bitmap_.clear();
  bitmap_.shrink_to_fit();
  fileName_.clear();
  width_ = height_ = planes_ = bitCount_ = colourCount_ = colourTableBytes_ = 0;
  topDown_ = false;
  ++version_;
}

std::vector<std::uint8_t> MapImage::takeBitmap() {
  std::vector<std::uint8_t> block = std::move(bitmap_);
  release();
  return block;
}

bool MapImage::load(const std::string& name, const PictureLibrary& library) {
  const std::int32_t type = library.fileType ? library.fileType(name) : 0;
  if (type == 0) {
    lastError_ = errorUnknownType;
    return false;
  }
  release();
  fileName_ = name;
  std::vector<std::uint8_t> block = library.load ? library.load(type, name) : std::vector<std::uint8_t>{};
  if (block.empty()) {
    lastError_ = library.lastError ? library.lastError() : errorUnknownType;
    if (lastError_ == errorNone) lastError_ = errorBadBitmap;
    return false;
  }
  return adopt(std::move(block), type, name);
}

bool MapImage::adopt(std::vector<std::uint8_t> block, std::int32_t fileType, const std::string& name) {
  release();
  bitmap_ = std::move(block);
  fileName_ = name;
  fileType_ = fileType;
  if (!readHeaderFacts()) {
    release();
    fileName_ = name;
    lastError_ = errorBadBitmap;
    return false;
  }
  lastError_ = errorNone;
  return true;
}

// Takes the picture's facts from its information header, and refuses a block that is too
// short for the rows it claims, so that nothing later reads past its end.
bool MapImage::readHeaderFacts() {
  if (bitmap_.size() < headerBytes) return false;
  width_ = static_cast<std::int32_t>(readLittle(bitmap_, 18, 4));
  const auto declaredHeight = static_cast<std::int32_t>(readLittle(bitmap_, 22, 4));
  topDown_ = declaredHeight < 0 && declaredHeight != std::numeric_limits<std::int32_t>::min();
  height_ = topDown_ ? -declaredHeight : declaredHeight;
  planes_ = static_cast<std::int32_t>(readLittle(bitmap_, 26, 2));
  bitCount_ = static_cast<std::int32_t>(readLittle(bitmap_, 28, 2));
  colourCount_ = colourCountOf(bitCount_, planes_);
  colourTableBytes_ = bitCount_ <= 8 ? 4 * colourCount_ : 0;
  if (width_ <= 0 || height_ <= 0) return false;
  const std::uint64_t needed =
      pixelOffset() + static_cast<std::uint64_t>(rowStride()) * static_cast<std::uint64_t>(height_);
  return needed <= bitmap_.size();
}

bool MapImage::resample(std::int32_t newWidth, std::int32_t newHeight) {
  if (newWidth == width_ && newHeight == height_) return true;
  if (!hasBitmap()) {
    lastError_ = errorNoBitmap;
    return false;
  }
  const std::size_t newStride = rowStride(bitCount_, newWidth);
  const std::uint64_t imageBytes =
      static_cast<std::uint64_t>(newStride) * static_cast<std::uint64_t>(std::max(newHeight, 0));
  if (newWidth <= 0 || newHeight <= 0 || pixelOffset() + imageBytes > maxBitmapBytes) {
    lastError_ = errorNoMemory;
    return false;
  }
  std::vector<std::uint8_t> resampled;
  try {
    resampled.assign(pixelOffset() + imageBytes, 0);
  } catch (const std::bad_alloc&) {
    lastError_ = errorNoMemory;
    return false;
  }
  std::copy(bitmap_.begin(), bitmap_.begin() + static_cast<std::ptrdiff_t>(pixelOffset()), resampled.begin());
  writeLittle(resampled, 18, 4, static_cast<std::uint32_t>(newWidth));
  writeLittle(resampled, 22, 4, static_cast<std::uint32_t>(topDown_ ? -newHeight : newHeight));
  writeLittle(resampled, 34, 4, static_cast<std::uint32_t>(imageBytes));
  for (std::int32_t i = 0; i < newHeight; ++i) {
    const auto sourceRow = static_cast<std::int32_t>(std::int64_t{i} * height_ / newHeight);
    const std::uint8_t* source = rowFromTop(sourceRow);
    std::uint8_t* destination = resampled.data() + pixelOffset() + newStride * storedRow(i, newHeight);
    for (std::int32_t j = 0; j < newWidth; ++j) {
      copyPixel(source, destination, bitCount_, static_cast<std::int32_t>(std::int64_t{j} * width_ / newWidth), j);
    }
  }
  bitmap_ = std::move(resampled);
  width_ = newWidth;
  height_ = newHeight;
  lastError_ = errorNone;
  ++version_;
  return true;
}

void MapImage::copyFrom(const MapImage& other) {
  if (this == &other) return;
  bitmap_ = other.bitmap_;
  width_ = other.width_;
  height_ = other.height_;
  planes_ = other.planes_;
  bitCount_ = other.bitCount_;
  colourCount_ = other.colourCount_;
  colourTableBytes_ = other.colourTableBytes_;
  fileType_ = other.fileType_;
  drawX_ = other.drawX_;
  drawY_ = other.drawY_;
  topDown_ = other.topDown_;
  lastError_ = other.lastError_;
  fileName_ = other.fileName_;
  version_ = std::max(version_, other.version_) + 1;
}

bool MapImage::draw(PrimitiveList& canvas, std::int32_t x, std::int32_t y) {
  if (x != -1) drawX_ = x;
  if (y != -1) drawY_ = y;
  if (!hasBitmap()) {
    lastError_ = errorNoBitmap;
    return false;
  }
  Primitive picture;
  picture.kind = Primitive::Kind::Picture;
  picture.points = {{drawX_, drawY_}};
  picture.filled = false;
  picture.picture = this;
  picture.pictureVersion = version_;
  canvas.push_back(std::move(picture));
  lastError_ = errorNone;
  return true;
}

const std::uint8_t* MapImage::rowFromTop(std::int32_t row) const {
  if (!hasBitmap() || row < 0 || row >= height_) return nullptr;
  return bitmap_.data() + pixelOffset() + rowStride() * storedRow(row, height_);
}

Rgb MapImage::pixel(std::int32_t x, std::int32_t y) const {
  const std::uint8_t* row = rowFromTop(y);
  if (row == nullptr || x < 0 || x >= width_) return {};
  auto fromTable = [this](std::uint32_t index) -> Rgb {
    if (index >= static_cast<std::uint32_t>(colourCount_)) return {};
    const std::uint8_t* quad = bitmap_.data() + headerBytes + 4 * static_cast<std::size_t>(index);
    return {quad[2], quad[1], quad[0]};
  };
  const auto column = static_cast<std::size_t>(x);
  switch (bitCount_) {
    case 1:
      return fromTable((row[column / 8] >> (7 - column % 8)) & 1);
    case 4:
      return fromTable(column % 2 == 0 ? row[column / 2] >> 4 : row[column / 2] & 0x0F);
    case 8:
      return fromTable(row[column]);
    case 24:
      return {row[3 * column + 2], row[3 * column + 1], row[3 * column]};
    case 32:
      return {row[4 * column + 2], row[4 * column + 1], row[4 * column]};
    default:
      return {};
  }
}

}  // namespace tamso
