// The configuration reader on any bytes: the read, then every lookup and conversion the
// loader and the map-parameters reader make.
#include <sstream>

#include "problem/config_file.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  tamso::ConfigFile file;
  file.read(in);
  for (const char* key : {"params.pickupTime", "params.unloadTime", "points.x1", "longitude.l2"}) {
    std::int32_t whole = 0;
    file.getInt(key, -1, whole);
  }
  for (const char* key : {"params.minimalSat", "params.travelTimeFuzzines"}) {
    double real = 0.0;
    file.getReal(key, -1.0, real);
  }
  file.lookup("params.placeInPoland");
  file.lookup("mapfilename", std::string());
  return 0;
}
