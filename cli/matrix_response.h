#pragma once
// Reading the answer of a routing engine's table request: OSRM's "durations" (seconds) and
// "distances" (metres) rows, or Valhalla's "sources_to_targets" entries of from_index,
// to_index, time (seconds) and distance (in the response's "units", kilometres unless
// miles). Places are numbered as in the instance's places file.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace tamso::cli {

struct RoadLeg {
  double km = 0.0;
  double minutes = 0.0;
};

// The legs between `size` places, row by row: leg(from, to); nothing where the engine found
// no route.
struct RoadMatrix {
  std::size_t size = 0;
  std::vector<std::optional<RoadLeg>> legs;

  const std::optional<RoadLeg>& leg(std::size_t from, std::size_t to) const { return legs[from * size + to]; }
};

// The matrix of a response for `places` places, or nothing with `problem` saying what is
// wrong with the response in the tool's words.
std::optional<RoadMatrix> readTableResponse(const nlohmann::json& response, std::size_t places, std::string& problem);

}  // namespace tamso::cli
