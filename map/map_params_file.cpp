#include "map/map_params_file.h"

#include <filesystem>
#include <utility>

#include "problem/config_file.h"

namespace tamso {
namespace {

const char* const pointKeys[6] = {"points.x1", "points.y1", "points.x2", "points.y2", "points.x3", "points.y3"};
const char* const longitudeKeys[4] = {"longitude.l1", "longitude.x1", "longitude.l2", "longitude.x2"};
const char* const latitudeKeys[4] = {"latitude.l1", "latitude.x1", "latitude.l2", "latitude.x2"};

// Absent keys and values that are not integers both give -1.
template <std::size_t N>
void readIntegers(const ConfigFile& file, const char* const (&keys)[N], std::int32_t (&values)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    std::int32_t value = -1;
    if (!file.getInt(keys[i], -1, value)) value = -1;
    values[i] = value;
  }
}

// A relative picture name names a file beside the map-parameters file.
std::string resolvePictureName(const std::string& mapFile, const std::string& name) {
  if (name.empty()) return name;
  const std::filesystem::path picture(name);
  if (picture.is_absolute()) return name;
  return (std::filesystem::path(mapFile).parent_path() / picture).string();
}

// Why the picture did not load, in words.
std::string pictureFailure(const MapImage& picture, const std::string& name, const PictureLibrary& library) {
  switch (picture.lastError()) {
    case MapImage::errorUnknownType:
      if (name.empty()) return "the map parameters name no picture (mapfilename)";
      return "unknown picture format: the name must end in .bmp, .gif, .pcx, .tga, .jpg, .tif or .png";
    case MapImage::errorBadBitmap:
      return "the decoded picture is incomplete";
    default:
      if (library.errorText) return library.errorText(picture.lastError());
      return "error " + std::to_string(picture.lastError());
  }
}

std::string readErrorMessage(int lineNumber) {
  return "Error reading configuration file in line " + std::to_string(lineNumber);
}

}  // namespace

bool readMapParamsContents(const std::string& path, MapParamsFileContents& contents, int& lineNumber,
                           std::string* reason) {
  lineNumber = 0;
  // An empty name would make the reader take standard input.
  if (path.empty()) return false;
  ConfigFile file;
  if (!file.read(path)) {
    lineNumber = file.lineNumber();
    if (reason != nullptr) *reason = file.failure();
    return false;
  }
  contents.pictureName = file.lookup("mapfilename", std::string()).value_or(std::string());
  readIntegers(file, pointKeys, contents.points);
  readIntegers(file, longitudeKeys, contents.longitude);
  readIntegers(file, latitudeKeys, contents.latitude);
  contents.warnings = repeatedKeyWarnings(file);
  return true;
}

MapParamsFileResult readMapParamsFile(const std::string& path, MapParams& params, MapImage& picture,
                                      const PictureLibrary& library) {
  MapParamsFileResult result;
  MapParamsFileContents contents;
  int lineNumber = 0;
  if (!readMapParamsContents(path, contents, lineNumber, &result.reason)) {
    result.outcome = MapParamsFileResult::Outcome::FileError;
    result.message = readErrorMessage(lineNumber);
    return result;
  }
  result.warnings = std::move(contents.warnings);
  const auto& p = contents.points;
  params.setThreePoints(p[0], p[1], p[2], p[3], p[4], p[5]);
  const auto& lon = contents.longitude;
  params.setLongitudeCalibration(lon[0], lon[1], lon[2], lon[3]);
  const auto& lat = contents.latitude;
  params.setLatitudeCalibration(lat[0], lat[1], lat[2], lat[3]);
  result.pictureName = resolvePictureName(path, contents.pictureName);
  if (!picture.load(result.pictureName, library)) {
    result.outcome = MapParamsFileResult::Outcome::PictureError;
    result.message = "Error loading image";
    result.reason = pictureFailure(picture, contents.pictureName, library);
  }
  return result;
}

}  // namespace tamso
