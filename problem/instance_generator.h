#pragma once
// Random loadable instances for tests, benchmarks and `tamso-cli generate`: a configuration
// file and the nine data files, with windows that can be met and prices that pay.
#include <cstdint>
#include <optional>
#include <string>

namespace tamso {

struct GeneratorSettings {
  int places = 100;
  int orders = 100;
  int vehicles = 20;
  std::uint32_t seed = 1;
  // Switches the capacity check on and writes goods with weights that make the vehicles'
  // capacities bind; the places, windows and prices stay those of the same seed without it.
  bool capacity = false;
  // Switches the EU driving and rest times on; nothing else changes.
  bool driverRules = false;
  // Gives the trucks a crew of two drivers (the vans keep one); nothing else changes.
  bool crews = false;
};

// Writes <directory>/instance.cfg and its data files (the directory is created when
// missing). Returns the error text, or nothing on success. Same seed, same files.
std::optional<std::string> generateInstance(const std::string& directory, const GeneratorSettings& settings);

}  // namespace tamso
