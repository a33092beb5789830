#include "map/map_image.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tamso {
namespace {

std::uint8_t* pixelRow(std::vector<std::uint8_t>& block, std::int32_t bitCount, std::int32_t width, std::int32_t height,
                       std::int32_t rowFromTop) {
  const std::size_t tableBytes = bitCount <= 8 ? 4u << bitCount : 0;
  return block.data() + MapImage::headerBytes + tableBytes +
         MapImage::rowStride(bitCount, width) * static_cast<std::size_t>(height - 1 - rowFromTop);
}

// A 24-bit picture whose pixel (x, y) has red x, green y and blue 7.
MapImage gradient(std::int32_t width, std::int32_t height) {
  std::vector<std::uint8_t> block = makeBitmapBlock(width, height, 24);
  for (std::int32_t y = 0; y < height; ++y) {
    std::uint8_t* row = pixelRow(block, 24, width, height, y);
    for (std::int32_t x = 0; x < width; ++x) {
      row[3 * x] = 7;
      row[3 * x + 1] = static_cast<std::uint8_t>(y);
      row[3 * x + 2] = static_cast<std::uint8_t>(x);
    }
  }
  MapImage image;
  EXPECT_TRUE(image.adopt(std::move(block), 1, "gradient.bmp"));
  return image;
}

std::uint32_t headerField(const MapImage& image, std::size_t offset) {
  const auto& b = image.bitmap();
  return b[offset] | b[offset + 1] << 8 | b[offset + 2] << 16 | static_cast<std::uint32_t>(b[offset + 3]) << 24;
}

TEST(MapImage, RowStrideRoundsUpToFourBytes) {
  EXPECT_EQ(MapImage::rowStride(1, 10), 4u);
  EXPECT_EQ(MapImage::rowStride(1, 33), 8u);
  EXPECT_EQ(MapImage::rowStride(4, 9), 8u);
  EXPECT_EQ(MapImage::rowStride(8, 5), 8u);
  EXPECT_EQ(MapImage::rowStride(16, 3), 8u);
  EXPECT_EQ(MapImage::rowStride(24, 6), 20u);
  EXPECT_EQ(MapImage::rowStride(32, 3), 12u);
  EXPECT_EQ(MapImage::rowStride(2, 5), 8u);  // other depths: a byte per pixel
}

TEST(MapImage, HeaderFactsComeFromTheInformationHeader) {
  MapImage image;
  ASSERT_TRUE(image.adopt(makeBitmapBlock(5, 3, 4), 2, "p.gif"));
  EXPECT_EQ(image.width(), 5);
  EXPECT_EQ(image.height(), 3);
  EXPECT_EQ(image.planes(), 1);
  EXPECT_EQ(image.bitCount(), 4);
  EXPECT_EQ(image.colourCount(), 16);
  EXPECT_EQ(image.colourTableBytes(), 64);
  EXPECT_EQ(image.fileType(), 2);
  EXPECT_EQ(image.pixelOffset(), 54u + 64u);
  ASSERT_TRUE(image.adopt(makeBitmapBlock(5, 3, 24), 1, "p.bmp"));
  EXPECT_EQ(image.colourCount(), 0);
  EXPECT_EQ(image.colourTableBytes(), 0);
}

TEST(MapImage, BlockTooShortForItsRowsIsRefused) {
  std::vector<std::uint8_t> block = makeBitmapBlock(100, 100, 24);
  block.resize(block.size() - 1);
  MapImage image;
  EXPECT_FALSE(image.adopt(std::move(block), 1, "short.bmp"));
  EXPECT_FALSE(image.hasBitmap());
  EXPECT_EQ(image.lastError(), MapImage::errorBadBitmap);
  EXPECT_FALSE(image.adopt(std::vector<std::uint8_t>(20, 0), 1, "tiny.bmp"));
}

TEST(MapImage, ResampleDoublesA24BitPicture) {
  MapImage image = gradient(3, 2);
  ASSERT_TRUE(image.resample(6, 4));
  EXPECT_EQ(image.width(), 6);
  EXPECT_EQ(image.height(), 4);
  EXPECT_EQ(image.rowStride(), 20u);
  EXPECT_EQ(image.bitmap().size(), 54u + 4 * 20u);
  EXPECT_EQ(headerField(image, 18), 6u);
  EXPECT_EQ(headerField(image, 22), 4u);
  EXPECT_EQ(headerField(image, 34), 80u);
  for (std::int32_t y = 0; y < 4; ++y) {
    for (std::int32_t x = 0; x < 6; ++x) {
      EXPECT_EQ(image.pixel(x, y), (Rgb{static_cast<std::uint8_t>(x / 2), static_cast<std::uint8_t>(y / 2), 7}))
          << x << "," << y;
    }
  }
}

// Rows stored top first (a negative height) are the same picture, before and after resampling.
TEST(MapImage, TopDownRowsAreTheSamePicture) {
  const MapImage bottomUp = gradient(7, 5);
  std::vector<std::uint8_t> block = makeBitmapBlock(7, 5, 24, true);
  for (std::int32_t y = 0; y < 5; ++y) {
    std::copy_n(bottomUp.rowFromTop(y), bottomUp.rowStride(),
                block.data() + bottomUp.pixelOffset() + static_cast<std::size_t>(y) * bottomUp.rowStride());
  }
  MapImage topDown;
  ASSERT_TRUE(topDown.adopt(std::move(block), 1, "top.bmp"));
  for (const auto& [width, height] : {std::pair{7, 5}, {3, 2}, {15, 11}, {1, 9}}) {
    MapImage a = bottomUp;
    MapImage b = topDown;
    ASSERT_TRUE(a.resample(width, height) && b.resample(width, height) && b.topDown());
    for (std::int32_t i = 0; i < width * height; ++i)
      EXPECT_EQ(a.pixel(i % width, i / width), b.pixel(i % width, i / width));
  }
}

TEST(MapImage, ResampleShrinksByNearestNeighbour) {
  MapImage image = gradient(7, 5);
  ASSERT_TRUE(image.resample(3, 2));
  // Columns 0, 7/3 = 2, 14/3 = 4; rows 0, 5/2 = 2.
  EXPECT_EQ(image.pixel(1, 0), (Rgb{2, 0, 7}));
  EXPECT_EQ(image.pixel(2, 1), (Rgb{4, 2, 7}));
}

TEST(MapImage, ResampleToTheSameSizeChangesNothing) {
  MapImage image = gradient(3, 2);
  const auto before = image.bitmap();
  const auto version = image.version();
  EXPECT_TRUE(image.resample(3, 2));
  EXPECT_EQ(image.bitmap(), before);
  EXPECT_EQ(image.version(), version);
}

TEST(MapImage, ResampleOneBitKeepsEverySecondColumn) {
  std::vector<std::uint8_t> block = makeBitmapBlock(10, 1, 1);
  block[54 + 4] = 0xFF;  // colour 1 white
  block[54 + 5] = 0xFF;
  block[54 + 6] = 0xFF;
  // Columns 0, 3, 4, 8 set: bits 1001 1000 10.
  std::uint8_t* row = pixelRow(block, 1, 10, 1, 0);
  row[0] = 0b10011000;
  row[1] = 0b10000000;
  MapImage image;
  ASSERT_TRUE(image.adopt(std::move(block), 1, "bits.bmp"));
  ASSERT_TRUE(image.resample(5, 1));
  // Kept source columns 0, 2, 4, 6, 8 -> 1, 0, 1, 0, 1.
  EXPECT_EQ(image.rowFromTop(0)[0], 0b10101000);
  EXPECT_EQ(image.pixel(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(image.pixel(1, 0), (Rgb{0, 0, 0}));
}

TEST(MapImage, ResampleFourBitsMovesNibbles) {
  std::vector<std::uint8_t> block = makeBitmapBlock(4, 1, 4);
  std::uint8_t* row = pixelRow(block, 4, 4, 1, 0);
  row[0] = 0x12;
  row[1] = 0x34;
  MapImage image;
  ASSERT_TRUE(image.adopt(std::move(block), 1, "n.bmp"));
  ASSERT_TRUE(image.resample(8, 1));
  EXPECT_EQ(image.rowFromTop(0)[0], 0x11);
  EXPECT_EQ(image.rowFromTop(0)[1], 0x22);
  EXPECT_EQ(image.rowFromTop(0)[3], 0x44);
  ASSERT_TRUE(image.resample(3, 1));  // columns 0, 2, 5 of the eight -> 1, 2, 3
  EXPECT_EQ(image.rowFromTop(0)[0], 0x12);
  EXPECT_EQ(image.rowFromTop(0)[1], 0x30);
}

TEST(MapImage, ResampleCopiesWholePixelsOfWideDepths) {
  for (const std::int32_t bits : {8, 16, 32}) {
    std::vector<std::uint8_t> block = makeBitmapBlock(2, 2, bits);
    const std::size_t bytes = static_cast<std::size_t>(bits / 8);
    for (std::int32_t y = 0; y < 2; ++y) {
      std::uint8_t* row = pixelRow(block, bits, 2, 2, y);
      for (std::size_t i = 0; i < 2 * bytes; ++i) row[i] = static_cast<std::uint8_t>(10 * y + i / bytes + 1);
    }
    MapImage image;
    ASSERT_TRUE(image.adopt(std::move(block), 1, "w.bmp"));
    ASSERT_TRUE(image.resample(4, 1));
    const std::uint8_t* row = image.rowFromTop(0);
    for (std::size_t i = 0; i < 4 * bytes; ++i) EXPECT_EQ(row[i], i / bytes / 2 + 1) << bits << " bits, byte " << i;
  }
}

TEST(MapImage, ResampleOfAnUnsupportedDepthGivesZeroRows) {
  std::vector<std::uint8_t> block = makeBitmapBlock(4, 2, 2);
  pixelRow(block, 2, 4, 2, 0)[0] = 0xFF;
  MapImage image;
  ASSERT_TRUE(image.adopt(std::move(block), 1, "two.bmp"));
  ASSERT_TRUE(image.resample(8, 3));
  EXPECT_EQ(image.width(), 8);
  for (std::int32_t y = 0; y < 3; ++y) {
    for (std::size_t i = 0; i < image.rowStride(); ++i) EXPECT_EQ(image.rowFromTop(y)[i], 0);
  }
}

TEST(MapImage, ResampleRefusesEmptyAndHugeSizes) {
  MapImage image = gradient(3, 2);
  const auto before = image.bitmap();
  EXPECT_FALSE(image.resample(0, 5));
  EXPECT_EQ(image.lastError(), MapImage::errorNoMemory);
  EXPECT_FALSE(image.resample(100000, 100000));
  EXPECT_EQ(image.bitmap(), before);
  EXPECT_EQ(image.width(), 3);
}

TEST(MapImage, CopyIsIndependent) {
  MapImage original = gradient(3, 2);
  PrimitiveList canvas;
  original.draw(canvas, 5, 6);
  MapImage copy;
  copy.copyFrom(original);
  EXPECT_EQ(copy.bitmap(), original.bitmap());
  EXPECT_EQ(copy.fileName(), "gradient.bmp");
  EXPECT_EQ(copy.drawX(), 5);
  EXPECT_EQ(copy.drawY(), 6);
  ASSERT_TRUE(copy.resample(6, 4));
  EXPECT_EQ(original.width(), 3);
  EXPECT_EQ(original.pixel(2, 1), (Rgb{2, 1, 7}));
}

TEST(MapImage, DrawAppendsThePictureAtItsPosition) {
  MapImage image = gradient(3, 2);
  PrimitiveList canvas;
  EXPECT_TRUE(image.draw(canvas));
  EXPECT_TRUE(image.draw(canvas, 10, -1));
  EXPECT_TRUE(image.draw(canvas, -1, 20));
  ASSERT_EQ(canvas.size(), 3u);
  EXPECT_EQ(canvas[0].kind, Primitive::Kind::Picture);
  EXPECT_EQ(canvas[0].picture, &image);
  EXPECT_EQ(canvas[0].points[0], (IntPoint{0, 0}));
  EXPECT_EQ(canvas[1].points[0], (IntPoint{10, 0}));
  EXPECT_EQ(canvas[2].points[0], (IntPoint{10, 20}));

  MapImage empty;
  EXPECT_FALSE(empty.draw(canvas));
  EXPECT_EQ(empty.lastError(), MapImage::errorNoBitmap);
  EXPECT_EQ(canvas.size(), 3u);
}

PictureLibrary fakeLibrary(bool decodes, std::int32_t failureCode = 7) {
  PictureLibrary library;
  library.fileType = [](const std::string& name) { return name.ends_with(".bmp") ? 1 : 0; };
  library.load = [decodes](std::int32_t, const std::string&) {
    return decodes ? makeBitmapBlock(4, 4, 8) : std::vector<std::uint8_t>{};
  };
  library.lastError = [failureCode] { return failureCode; };
  return library;
}

TEST(MapImage, LoadOfAnUnknownTypeKeepsThePicture) {
  MapImage image;
  ASSERT_TRUE(image.load("first.bmp", fakeLibrary(true)));
  EXPECT_EQ(image.lastError(), 0);
  EXPECT_FALSE(image.load("second.xyz", fakeLibrary(true)));
  EXPECT_EQ(image.lastError(), MapImage::errorUnknownType);
  EXPECT_TRUE(image.hasBitmap());
  EXPECT_EQ(image.fileName(), "first.bmp");
}

TEST(MapImage, FailedDecodeLeavesNoPicture) {
  MapImage image;
  ASSERT_TRUE(image.load("first.bmp", fakeLibrary(true)));
  EXPECT_FALSE(image.load("broken.bmp", fakeLibrary(false, 3)));
  EXPECT_EQ(image.lastError(), 3);
  EXPECT_FALSE(image.hasBitmap());
  PrimitiveList canvas;
  EXPECT_FALSE(image.draw(canvas));
  EXPECT_TRUE(canvas.empty());
}

}  // namespace
}  // namespace tamso
