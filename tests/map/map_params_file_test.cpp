#include "map/map_params_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/temp_folder.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;

class MapParamsFile : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    const fs::path path = folder / name;
    std::ofstream(path) << text;
    return path.string();
  }

  // Accepts names ending in ".bmp" and decodes those whose file exists.
  PictureLibrary library() {
    PictureLibrary lib;
    lib.fileType = [](const std::string& name) { return name.ends_with(".bmp") ? 1 : 0; };
    lib.load = [this](std::int32_t, const std::string& name) {
      requested = name;
      return fs::exists(name) ? makeBitmapBlock(30, 20, 24) : std::vector<std::uint8_t>{};
    };
    lib.lastError = [] { return 1; };
    return lib;
  }

  testing::TempFolder scratch{"tamso-map-file"};
  const fs::path folder = scratch.path();
  std::string requested;
  MapParams params;
  MapImage picture;
};

const char* const fullFile =
    "mapfilename=europe.bmp\n"
    "[points]\nx1=10\ny1=100\nx2=50\ny2=110\nx3=90\ny3=100\n"
    "[longitude]\nl1=0\nx1=20\nl2=10\nx2=80\n"
    "[latitude]\nl1=40\nx1=90\nl2=50\nx2=30\n";

TEST_F(MapParamsFile, ReadsCalibrationAndPictureBesideTheFile) {
  write("europe.bmp", "");
  const std::string path = write("europe.map", fullFile);
  const MapParamsFileResult result = readMapParamsFile(path, params, picture, library());
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(requested, (folder / "europe.bmp").string());
  EXPECT_EQ(params.point(1), (IntPoint{50, 110}));
  EXPECT_EQ(params.point(2), (IntPoint{90, 100}));
  EXPECT_EQ(params.longitude(), (EdgeCalibration{0, 20, 10, 80}));
  EXPECT_EQ(params.latitude(), (EdgeCalibration{40, 90, 50, 30}));
  EXPECT_TRUE(params.hasCentre());
  EXPECT_EQ(picture.width(), 30);
}

TEST_F(MapParamsFile, KeysGivenTwiceAreWarnedAboutAndTheFirstValueStays) {
  write("europe.bmp", "");
  const std::string rest = std::string(fullFile).substr(std::string(fullFile).find('\n') + 1);
  const std::string path =
      write("europe.map", "mapfilename=europe.bmp\nmapfilename=other.bmp\n" + rest + "[points]\nx1=77\n");
  const MapParamsFileResult result = readMapParamsFile(path, params, picture, library());
  EXPECT_EQ(requested, (folder / "europe.bmp").string());
  EXPECT_EQ(params.point(0), (IntPoint{10, 100}));
  ASSERT_EQ(result.warnings.size(), 2u);
  EXPECT_EQ(
      warningText(result.warnings[0]),
      "warning: key 'mapfilename' is given twice, in lines 1 and 2; the first value stays in force\nat " + path + ":2");
  EXPECT_EQ(result.warnings[1].line, 21);
}

TEST_F(MapParamsFile, MissingOrBrokenKeysGiveMinusOne) {
  const std::string path =
      write("partial.map", "mapfilename=absent.bmp\n[points]\nx1=  -7px\ny1=abc\n[longitude]\nl1=+12\n");
  readMapParamsFile(path, params, picture, library());
  EXPECT_EQ(params.point(0), (IntPoint{-7, -1}));
  EXPECT_EQ(params.point(2), (IntPoint{-1, -1}));
  EXPECT_EQ(params.longitude(), (EdgeCalibration{12, -1, -1, -1}));
  EXPECT_EQ(params.latitude(), (EdgeCalibration{-1, -1, -1, -1}));
}

TEST_F(MapParamsFile, PictureFailureKeepsTheNewCalibration) {
  const std::string path = write("nopicture.map", fullFile);  // europe.bmp does not exist
  const MapParamsFileResult result = readMapParamsFile(path, params, picture, library());
  EXPECT_EQ(result.outcome, MapParamsFileResult::Outcome::PictureError);
  EXPECT_EQ(result.message, "Error loading image");
  EXPECT_EQ(params.longitude(), (EdgeCalibration{0, 20, 10, 80}));
  EXPECT_FALSE(picture.hasBitmap());
}

TEST_F(MapParamsFile, OnlyAPictureNameLeavesEveryIntegerAtMinusOne) {
  write("only.bmp", "");
  const std::string path = write("only.map", "mapfilename=only.bmp\n");
  EXPECT_TRUE(readMapParamsFile(path, params, picture, library()).ok());
  EXPECT_EQ(params.point(0), (IntPoint{-1, -1}));
  EXPECT_EQ(params.longitude(), (EdgeCalibration{-1, -1, -1, -1}));
  EXPECT_EQ(params.latitude(), (EdgeCalibration{-1, -1, -1, -1}));
}

TEST_F(MapParamsFile, NameWithABlankBeforeTheEqualsSignIsAbsent) {
  const std::string path = write("blank.map", "mapfilename =x.bmp\n");
  const MapParamsFileResult result = readMapParamsFile(path, params, picture, library());
  EXPECT_EQ(result.message, "Error loading image");
  EXPECT_EQ(result.pictureName, "");
}

TEST_F(MapParamsFile, UnreadableFileChangesNothing) {
  const MapParams before;
  ASSERT_TRUE(picture.adopt(makeBitmapBlock(4, 4, 24), 1, "old.bmp"));
  MapParamsFileResult result = readMapParamsFile((folder / "missing.map").string(), params, picture, library());
  EXPECT_EQ(result.outcome, MapParamsFileResult::Outcome::FileError);
  EXPECT_EQ(result.message, "Error reading configuration file in line 0");

  const std::string broken = write("broken.map", "mapfilename=a.bmp\n[points]\nx1=5\nthis line has no equals sign\n");
  result = readMapParamsFile(broken, params, picture, library());
  EXPECT_EQ(result.message, "Error reading configuration file in line 4");
  EXPECT_EQ(params.point(0), before.point(0));
  EXPECT_EQ(params.longitude(), before.longitude());
  EXPECT_EQ(picture.fileName(), "old.bmp");
  EXPECT_EQ(readMapParamsFile("", params, picture, library()).message, "Error reading configuration file in line 0");
}

}  // namespace
}  // namespace tamso
