#pragma once
// The map part of "check": "--map MAPPARAMS" adds every place's pixel on the calibrated
// background picture at zoom 1.0 and the picture's size and bit count; "--frame W H" adds
// every place's pixel in the fixed frame on a canvas of W x H at zoom 1.0.
#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

#include "problem/loader.h"
#include "problem/problem_data.h"

namespace tamso::cli {

struct MapCheckOptions {
  std::optional<std::string> mapPath;
  std::optional<std::int32_t> frameWidth;
  std::optional<std::int32_t> frameHeight;
  bool any() const { return mapPath.has_value() || frameWidth.has_value(); }
};

// Takes "--map PATH" and "--frame W H" out of `args`; false with `problem` set when a value
// is missing or the frame is not two positive whole numbers.
bool extractMapOptions(std::vector<std::string>& args, MapCheckOptions& options, std::string& problem);

// The calibration, picture facts and place pixels, or the map file's error message.
struct MapCheck {
  std::optional<std::string> error;
  nlohmann::json picture;              // {"file", "width", "height", "bitCount"} with --map
  std::vector<nlohmann::json> pixels;  // per place, in load order: [x, y]
  std::vector<nlohmann::json> framePixels;
  std::vector<LoadWarning> warnings;  // of the map-parameters file
};
MapCheck checkMap(const ProblemData& problem, const MapCheckOptions& options);

// Adds the map check to the problem's JSON document: "pixel" and "framePixel" to every
// place, "map" with the picture's facts.
void addMapJson(nlohmann::json& document, const MapCheck& check);

}  // namespace tamso::cli
