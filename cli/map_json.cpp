#include "cli/map_json.h"

#include <charconv>

#include "imageload/picture_library_glue.h"
#include "map/map_image.h"
#include "map/map_params.h"
#include "map/map_params_file.h"

namespace tamso::cli {
namespace {

std::optional<std::int32_t> positiveNumber(const std::string& text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value <= 0) return std::nullopt;
  return value;
}

nlohmann::json pixelJson(IntPoint p) { return nlohmann::json::array({p.x, p.y}); }

}  // namespace

bool extractMapOptions(std::vector<std::string>& args, MapCheckOptions& options, std::string& problem) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--map") {
      if (i + 1 >= args.size()) {
        problem = "--map needs a map-parameters file";
        return false;
      }
      options.mapPath = args[++i];
    } else if (args[i] == "--frame") {
      const auto width = i + 1 < args.size() ? positiveNumber(args[i + 1]) : std::nullopt;
      const auto height = i + 2 < args.size() ? positiveNumber(args[i + 2]) : std::nullopt;
      if (!width || !height) {
        problem = "--frame needs a width and a height in pixels";
        return false;
      }
      options.frameWidth = width;
      options.frameHeight = height;
      i += 2;
    } else {
      rest.push_back(args[i]);
    }
  }
  args = std::move(rest);
  return true;
}

MapCheck checkMap(const ProblemData& problem, const MapCheckOptions& options) {
  MapCheck check;
  if (options.mapPath) {
    MapParams params;
    MapImage picture;
    const MapParamsFileResult read = readMapParamsFile(*options.mapPath, params, picture, imageLoadLibrary());
    check.warnings = read.warnings;
    if (!read.ok()) {
      check.error = read.message;
      const bool picture = read.outcome == MapParamsFileResult::Outcome::PictureError;
      const std::string& file = picture && !read.pictureName.empty() ? read.pictureName : *options.mapPath;
      if (!read.reason.empty()) *check.error += "\nat " + file + ": " + read.reason;
      return check;
    }
    check.picture = {{"file", read.pictureName},
                     {"width", picture.width()},
                     {"height", picture.height()},
                     {"bitCount", picture.bitCount()}};
    const ProjectionFrame frame{picture.width(), picture.height(), 1.0f, true};
    for (const Place& place : problem.places) check.pixels.push_back(pixelJson(params.project(place, frame)));
  }
  if (options.frameWidth && options.frameHeight) {
    for (const Place& place : problem.places) {
      check.framePixels.push_back(pixelJson(MapParams::projectFixedFrame(
          place.longitude, place.latitude, *options.frameWidth, *options.frameHeight, 1.0f)));
    }
  }
  return check;
}

void addMapJson(nlohmann::json& document, const MapCheck& check) {
  nlohmann::json& places = document["places"];
  for (std::size_t i = 0; i < places.size(); ++i) {
    if (i < check.pixels.size()) places[i]["pixel"] = check.pixels[i];
    if (i < check.framePixels.size()) places[i]["framePixel"] = check.framePixels[i];
  }
  if (!check.picture.is_null()) document["map"] = check.picture;
}

}  // namespace tamso::cli
