#include "imageload/image_load.h"

#include <gtest/gtest.h>

#include <Magick++.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "imageload/picture_library_glue.h"
#include "map/map_image.h"
#include "map/map_params_file.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;

// The test picture: 8 x 6 pixels in four flat blocks of distinct colours.
Rgb expectedColour(std::int32_t x, std::int32_t y) {
  if (y < 3) return x < 4 ? Rgb{200, 30, 30} : Rgb{30, 160, 40};
  return x < 4 ? Rgb{20, 40, 220} : Rgb{250, 250, 250};
}
constexpr std::int32_t pictureWidth = 8;
constexpr std::int32_t pictureHeight = 6;

class ImageLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream ppm(folder / "source.ppm", std::ios::binary);
    ppm << "P6\n" << pictureWidth << " " << pictureHeight << "\n255\n";
    for (std::int32_t y = 0; y < pictureHeight; ++y) {
      for (std::int32_t x = 0; x < pictureWidth; ++x) {
        const Rgb c = expectedColour(x, y);
        ppm << c.r << c.g << c.b;
      }
    }
  }

  // The test picture converted by the gm command into `name`.
  std::string converted(const std::string& name, const std::string& options = "") {
    const fs::path target = folder / name;
    const std::string command =
        "gm convert " + options + " '" + (folder / "source.ppm").string() + "' '" + target.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return target.string();
  }

  std::string write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
    return (folder / name).string();
  }

  static void expectPixels(const PictureBlock& block, int tolerance, const std::string& what) {
    MapImage image;
    ASSERT_TRUE(image.adopt(block, 1, what)) << what;
    ASSERT_EQ(image.width(), pictureWidth) << what;
    ASSERT_EQ(image.height(), pictureHeight) << what;
    for (std::int32_t y = 0; y < pictureHeight; ++y) {
      for (std::int32_t x = 0; x < pictureWidth; ++x) {
        const Rgb got = image.pixel(x, y);
        const Rgb want = expectedColour(x, y);
        EXPECT_NEAR(got.r, want.r, tolerance) << what << " at " << x << "," << y;
        EXPECT_NEAR(got.g, want.g, tolerance) << what << " at " << x << "," << y;
        EXPECT_NEAR(got.b, want.b, tolerance) << what << " at " << x << "," << y;
      }
    }
  }

  testing::TempFolder scratch{"tamso-imageload"};
  const fs::path folder = scratch.path();
};

TEST(FileType, ByExtensionIgnoringCase) {
  EXPECT_EQ(FileType("a.bmp"), pictureBmp);
  EXPECT_EQ(FileType("dir.x/A.GiF"), pictureGif);
  EXPECT_EQ(FileType("a.pcx"), picturePcx);
  EXPECT_EQ(FileType("a.tga"), pictureTga);
  EXPECT_EQ(FileType("a.jpg"), pictureJpg);
  EXPECT_EQ(FileType("a.JPEG"), pictureJpg);
  EXPECT_EQ(FileType("a.tif"), pictureTif);
  EXPECT_EQ(FileType("a.tiff"), pictureTif);
  EXPECT_EQ(FileType("a.png"), picturePng);
  EXPECT_EQ(FileType("a.webp"), pictureUnknown);
  EXPECT_EQ(FileType("bmp"), pictureUnknown);
  EXPECT_EQ(FileType("folder.png/file"), pictureUnknown);
  EXPECT_EQ(FileType(""), pictureUnknown);
}

TEST_F(ImageLoad, DecodesEveryFormatPixelByPixel) {
  struct Case {
    const char* file;
    PictureBlock (*load)(const std::string&);
    const char* options;
    int tolerance;
  };
  const Case cases[] = {
      {"p.bmp", LoadBMP, "", 0},
      {"p.gif", LoadGIF, "", 0},
      {"p.pcx", LoadPCX, "", 0},
      {"p.tga", LoadTGA, "", 0},
      {"p.jpg", LoadJPG, "-quality 100 -sampling-factor 1x1", 6},
      {"p.tif", LoadTIF, "", 0},
      {"p.png", LoadPNG, "", 0},
      // PNG is read row by row: every layout of it gives the same pixels.
      {"p16.png", LoadPNG, "-depth 16", 0},
      {"pi.png", LoadPNG, "-interlace line", 0},
      {"p4.png", LoadPNG, "-colors 4 -type Palette", 0},
      {"pa.png", LoadPNG, "-type TrueColorMatte", 0},
  };
  for (const Case& c : cases) {
    const std::string path = converted(c.file, c.options);
    const PictureBlock block = c.load(path);
    ASSERT_FALSE(block.empty()) << c.file << " error " << GetLastPicLibError();
    EXPECT_EQ(GetLastPicLibError(), pictureErrorNone);
    expectPixels(block, c.tolerance, c.file);
    EXPECT_EQ(LoadPicture(FileType(path), path), block) << c.file;
    // Laid out for drawing (PNG rows top first, 32 bits), the pixels are the same.
    expectPixels(LoadPicture(FileType(path), path, PictureLayout::Drawing), c.tolerance, c.file);
  }
}

TEST_F(ImageLoad, PalettePicturesGetAFullColourTable) {
  const PictureBlock block = LoadGIF(converted("palette.gif"));
  MapImage image;
  ASSERT_TRUE(image.adopt(block, pictureGif, "palette.gif"));
  EXPECT_EQ(image.bitCount(), 8);
  EXPECT_EQ(image.colourCount(), 256);
  EXPECT_EQ(block.size(), 54u + 1024u + 8u * 6u);

  MapImage truecolour;
  ASSERT_TRUE(truecolour.adopt(LoadJPG(converted("true.jpg")), pictureJpg, "true.jpg"));
  EXPECT_EQ(truecolour.bitCount(), 24);
}

TEST_F(ImageLoad, MissingOrWrongFilesFail) {
  EXPECT_TRUE(LoadPNG((folder / "absent.png").string()).empty());
  EXPECT_EQ(GetLastPicLibError(), pictureErrorUnreadable);
  EXPECT_TRUE(LoadPNG(write("empty.png", "")).empty());
  EXPECT_EQ(GetLastPicLibError(), pictureErrorCorrupt);
  EXPECT_TRUE(LoadGIF(write("text.gif", "not a picture at all")).empty());
  EXPECT_EQ(GetLastPicLibError(), pictureErrorCorrupt);
}

TEST_F(ImageLoad, TruncatedFilesFail) {
  for (const char* name : {"cut.png", "cut.jpg", "cut.gif", "cut.bmp", "cut.tif"}) {
    const std::string path = converted(name);
    const auto size = fs::file_size(path);
    fs::resize_file(path, size / 2);
    EXPECT_TRUE(LoadPicture(FileType(path), path).empty()) << name;
    // A TIFF keeps its directory anywhere, so only "damaged" can be said of it.
    EXPECT_EQ(GetLastPicLibError(), std::string(name) == "cut.tif" ? pictureErrorCorrupt : pictureErrorCutShort)
        << name;
  }
}

// A BMP header of a 24-bit picture of the given size, followed by a few bytes of pixels.
std::string bmpHeader(std::int32_t width, std::int32_t height) {
  std::vector<std::uint8_t> block = makeBitmapBlock(1, 1, 24);
  for (int i = 0; i < 4; ++i) {
    block[18 + i] = static_cast<std::uint8_t>(width >> (8 * i));
    block[22 + i] = static_cast<std::uint8_t>(height >> (8 * i));
    block[34 + i] = 0;
  }
  block.resize(block.size() + 64, 0x80);
  return std::string(block.begin(), block.end());
}

TEST_F(ImageLoad, HugePictureIsRefusedFromItsHeader) {
  EXPECT_TRUE(LoadBMP(write("wide.bmp", bmpHeader(20000, 10))).empty());
  EXPECT_EQ(GetLastPicLibError(), pictureErrorTooLarge);
  EXPECT_TRUE(LoadBMP(write("many.bmp", bmpHeader(16000, 16000))).empty());
  EXPECT_EQ(GetLastPicLibError(), pictureErrorTooLarge);
}

// Every picture whose own bytes are of another format than its name says is refused before
// any decoder sees it, and so is anything that is none of the seven (PostScript, an IFF
// picture that would need a helper program, SVG, a FIFO). Fake helper programs on the
// search path tell whether any was started.
TEST_F(ImageLoad, OnlyTheFormatTheNameSaysIsDecoded) {
  const fs::path helpers = folder / "helpers";
  fs::create_directories(helpers);
  for (const char* program : {"gs", "gsx", "ilbmtoppm", "rsvg-convert", "inkscape", "sh"}) {
    std::ofstream(helpers / program) << "#!/bin/sh\ntouch '" << (folder / "started").string() << "'\n";
    fs::permissions(helpers / program, fs::perms::owner_all);
  }
  const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (helpers.string() + ":" + savedPath).c_str(), 1);

  const std::string names[] = {"p.bmp", "p.gif", "p.pcx", "p.tga", "p.jpg", "p.tif", "p.png"};
  std::vector<std::string> pictures;
  for (const std::string& name : names) pictures.push_back(converted(name));
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    std::ifstream in(pictures[i], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(pictureTypeBySignature(bytes), FileType(pictures[i])) << names[i];
    for (std::size_t j = 0; j < pictures.size(); ++j) {
      if (i == j) continue;
      const std::string renamed = write("as" + std::to_string(i) + names[j], bytes);
      EXPECT_TRUE(LoadPicture(FileType(renamed), renamed).empty()) << names[i] << " named " << names[j];
      EXPECT_EQ(GetLastPicLibError(), pictureErrorWrongFormat) << names[i] << " named " << names[j];
    }
  }
  const std::pair<const char*, std::string> strangers[] = {
      {"loop.png", "%!PS-Adobe-3.0\n{ } loop\nshowpage\n"},
      {"picture.tga", std::string("FORM\0\0\0\x30ILBMBMHD\0\0\0\x14", 20) + std::string(40, '\0')},
      {"drawing.jpg", "<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"6\"/>"},
      {"script.gif", "#!/bin/sh\ntouch started\n"},
      {"label.bmp", "label:text"},
      // A Truevision header of 9561 x 8448 pixels in a 27-byte file.
      {"huge.tga", std::string("\0\0\2\0\0\0\0\0\0\x3F\0\xEF\x59\x25\0\x21\x20\0\xFE\xFF\xFF\xFF\x7F\0\x7F\xFF", 26)},
  };
  for (const auto& [name, bytes] : strangers) {
    const std::string path = write(name, bytes);
    EXPECT_TRUE(LoadPicture(FileType(path), path).empty()) << name;
    EXPECT_EQ(GetLastPicLibError(), pictureErrorCorrupt) << name;
  }
  const std::string fifo = (folder / "pipe.png").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(LoadPNG(fifo).empty());  // refused at once, not waited on
  EXPECT_EQ(GetLastPicLibError(), pictureErrorUnreadable);

  setenv("PATH", savedPath.c_str(), 1);
  EXPECT_FALSE(fs::exists(folder / "started"));
  // Behind the signature check, no decoder but the seven's is left at all.
  MagickLib::ExceptionInfo report;
  MagickLib::GetExceptionInfo(&report);
  for (const char* other : {"PS", "EPS", "PDF", "SVG", "ILBM", "MSL", "TXT", "LABEL", "URL", "MVG"}) {
    EXPECT_EQ(MagickLib::GetMagickInfo(other, &report), nullptr) << other;
  }
  MagickLib::DestroyExceptionInfo(&report);
}

TEST_F(ImageLoad, MapImageLoadsThroughTheLibrary) {
  const std::string path = converted("map.tga");
  MapImage image;
  ASSERT_TRUE(image.load(path, imageLoadLibrary()));
  EXPECT_EQ(image.fileType(), pictureTga);
  EXPECT_EQ(image.width(), pictureWidth);
  EXPECT_EQ(image.pixel(7, 5), (Rgb{250, 250, 250}));
  EXPECT_FALSE(image.load((folder / "absent.png").string(), imageLoadLibrary()));
  EXPECT_EQ(image.lastError(), pictureErrorUnreadable);
  EXPECT_FALSE(image.hasBitmap());
}

// The map parameters say why their picture did not load, on the line under the message.
TEST_F(ImageLoad, PictureFailuresSayWhy) {
  const std::string cut = converted("cut.png");
  fs::resize_file(cut, fs::file_size(cut) / 2);
  write("wide.bmp", bmpHeader(20000, 10));
  write("picture.xyz", "");
  struct Case {
    const char* picture;
    const char* reason;
  };
  const Case cases[] = {
      {"picture.xyz", "unknown picture format: the name must end in .bmp, .gif, .pcx, .tga, .jpg, .tif or .png"},
      {"wide.bmp", "the declared size is too large: at most 16384 pixels a side and 100000000 pixels in all"},
      {"cut.png", "the file is cut short"},
      {"absent.png", "the file cannot be read"},
      {"", "the map parameters name no picture (mapfilename)"},
  };
  for (const Case& c : cases) {
    const std::string map = write("picture.map", std::string("mapfilename=") + c.picture + "\n");
    MapParams params;
    MapImage image;
    const MapParamsFileResult result = readMapParamsFile(map, params, image, imageLoadLibrary());
    EXPECT_EQ(result.message, "Error loading image") << c.picture;
    EXPECT_EQ(result.reason, c.reason) << c.picture;
  }
}

}  // namespace
}  // namespace tamso
