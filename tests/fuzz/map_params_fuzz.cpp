// The map-parameters reader with the calibration and both projections: any file, then
// places across the whole range of longitudes and latitudes at several zooms.
#include "map/map_params.h"
#include "map/map_params_file.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path =
      tamso::fuzz::writeScratchFile("map.params", std::string(reinterpret_cast<const char*>(data), size));
  tamso::MapParamsFileContents contents;
  int line = 0;
  if (!tamso::readMapParamsContents(path, contents, line)) return 0;
  tamso::MapParams params;
  const auto& p = contents.points;
  params.setThreePoints(p[0], p[1], p[2], p[3], p[4], p[5]);
  const auto& lon = contents.longitude;
  params.setLongitudeCalibration(lon[0], lon[1], lon[2], lon[3]);
  const auto& lat = contents.latitude;
  params.setLatitudeCalibration(lat[0], lat[1], lat[2], lat[3]);
  for (const float zoom : {0.1f, 1.0f, 8.0f}) {
    for (const float longitude : {-180.0f, -20.0f, 0.0f, 10.0f, 180.0f, 1e9f}) {
      for (const float latitude : {-90.0f, 40.0f, 50.0f, 90.0f, -1e9f}) {
        params.projectCalibrated(longitude, latitude, zoom);
        tamso::MapParams::projectFixedFrame(longitude, latitude, 800, 600, zoom);
      }
    }
  }
  return 0;
}
