#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tests/cli/cli_run.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::example;
using testing::runTool;

const std::string europeMap = std::string(TAMSO_EXAMPLES_DIR) + "/europe/map/europe.map";

std::map<std::string, std::pair<double, double>> picturePixels() {
  std::ifstream in(std::string(TAMSO_EXAMPLES_DIR) + "/europe/map/places_pixels.txt");
  std::map<std::string, std::pair<double, double>> pixels;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name;
    double x = 0.0;
    double y = 0.0;
    if (line[0] != '#' && fields >> name >> x >> y) pixels[name] = {x, y};
  }
  return pixels;
}

TEST(CheckMap, PixelsAgreeWithTheExamplePicture) {
  const auto run = runTool({"check", example("europe"), "--map", europeMap, "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json doc = json::parse(run.out);
  EXPECT_EQ(doc["map"]["width"], 1400);
  EXPECT_EQ(doc["map"]["height"], 1500);
  EXPECT_EQ(doc["map"]["bitCount"], 24);
  const auto pixels = picturePixels();
  ASSERT_FALSE(doc["places"].empty());
  for (const json& place : doc["places"]) {
    const auto drawn = pixels.at(place["name"].get<std::string>());
    const double x = place["pixel"][0].get<int>() + 0.5;
    const double y = place["pixel"][1].get<int>() + 0.5;
    EXPECT_LT(std::hypot(x - drawn.first, y - drawn.second), 4.0) << place["name"];
    EXPECT_FALSE(place.contains("framePixel"));
  }
}

TEST(CheckMap, FramePixelsFillTheCanvas) {
  const auto run = runTool({"check", example("europe"), "--frame", "800", "600", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json doc = json::parse(run.out);
  EXPECT_FALSE(doc.contains("map"));
  for (const json& place : doc["places"]) {
    EXPECT_FALSE(place.contains("pixel"));
    const int x = place["framePixel"][0];
    const int y = place["framePixel"][1];
    EXPECT_TRUE(x >= 1 && x <= 800 && y >= 0 && y < 600) << place["name"];
  }
}

class CheckMapFailure : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    std::ofstream(folder / name) << text;
    return (folder / name).string();
  }
  testing::TempFolder scratch{"tamso-check-map"};
  const fs::path folder = scratch.path();
};

TEST_F(CheckMapFailure, MapFileErrorsAreWordedAsInTheWindow) {
  auto run = runTool({"check", example("tiny"), "--map", write("bad.map", "mapfilename=x.jpg\nno equals\n"), "--json"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Error reading configuration file in line 2\n");
  EXPECT_TRUE(run.out.empty());

  run = runTool({"check", example("tiny"), "--map", (folder / "absent.map").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(
      run.err.rfind("Error reading configuration file in line 0\nat " + (folder / "absent.map").string() + ": ", 0), 0u)
      << run.err;

  write("broken.jpg", "not a picture");
  run = runTool({"check", example("tiny"), "--map", write("nopicture.map", "mapfilename=broken.jpg\n"), "--json"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "Error loading image\nat " + (folder / "broken.jpg").string() +
                         ": not a picture of a known format, or a damaged one\n");
}

TEST_F(CheckMapFailure, BadOptionValuesAreUsageErrors) {
  EXPECT_EQ(runTool({"check", example("tiny"), "--frame", "800"}).exitCode, 2);
  EXPECT_EQ(runTool({"check", example("tiny"), "--frame", "800", "0"}).exitCode, 2);
  EXPECT_EQ(runTool({"check", example("tiny"), "--frame", "8x6", "600"}).exitCode, 2);
  EXPECT_EQ(runTool({"check", example("tiny"), "--map"}).exitCode, 2);
}

}  // namespace
}  // namespace tamso
