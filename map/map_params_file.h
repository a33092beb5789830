#pragma once
// Reading a map-parameters file: the picture's file name and the fourteen calibration
// integers, then the picture itself.
#include <string>
#include <vector>

#include "map/map_image.h"
#include "map/map_params.h"
#include "map/picture_library.h"
#include "problem/loader.h"

namespace tamso {

struct MapParamsFileResult {
  enum class Outcome {
    Loaded,        // calibration and picture both taken
    FileError,     // the file could not be read: nothing changed
    PictureError,  // the calibration is in force, the picture did not load
  };
  Outcome outcome = Outcome::Loaded;
  std::string message;                // "Error reading configuration file in line %d" or "Error loading image"
  std::string pictureName;            // the picture's file name, resolved against the file's folder
  std::string reason;                 // why the file could not be opened, or why the picture did not load
  std::vector<LoadWarning> warnings;  // keys given twice
  bool ok() const { return outcome == Outcome::Loaded; }
};

// The keys of the file, with -1 for calibration keys that are absent or not integers.
struct MapParamsFileContents {
  std::string pictureName;  // as written
  std::int32_t points[6] = {-1, -1, -1, -1, -1, -1};
  std::int32_t longitude[4] = {-1, -1, -1, -1};
  std::int32_t latitude[4] = {-1, -1, -1, -1};
  std::vector<LoadWarning> warnings;  // keys given twice: the first value stays in force
};

// Reads the file; on a read failure `lineNumber` is the line at which reading stopped
// (0 when the file cannot be opened) and the result is false.
bool readMapParamsContents(const std::string& path, MapParamsFileContents& contents, int& lineNumber,
                           std::string* reason = nullptr);

// The whole command: read the file, set the calibration, load the picture. On a read
// failure nothing changes; when only the picture fails the new calibration stays.
MapParamsFileResult readMapParamsFile(const std::string& path, MapParams& params, MapImage& picture,
                                      const PictureLibrary& library);

}  // namespace tamso
