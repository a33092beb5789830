#include "cli/matrix_response.h"

namespace tamso::cli {

namespace {

using nlohmann::json;

constexpr double kmPerMile = 1.609344;

// A value of the response: a number of at least 0, or nothing for null (no route). False
// for anything else.
bool readAmount(const json& value, std::optional<double>& amount) {
  if (value.is_null()) {
    amount.reset();
    return true;
  }
  if (!value.is_number() || !(value.get<double>() >= 0.0)) return false;
  amount = value.get<double>();
  return true;
}

// OSRM: one row of "durations" and of "distances" per source.
std::optional<RoadMatrix> readOsrm(const json& response, std::size_t places, std::string& problem) {
  if (response.contains("code") && response["code"] != "Ok") {
    problem = "the engine answered " + response["code"].dump() +
              (response.contains("message") ? ": " + response["message"].dump() : std::string());
    return std::nullopt;
  }
  if (!response.contains("durations") || !response.contains("distances")) {
    problem = "the response lacks durations or distances; ask with annotations=duration,distance";
    return std::nullopt;
  }
  const json& durations = response["durations"];
  const json& distances = response["distances"];
  for (const json* rows : {&durations, &distances}) {
    bool square = rows->is_array() && rows->size() == places;
    for (std::size_t i = 0; square && i < places; ++i) square = (*rows)[i].is_array() && (*rows)[i].size() == places;
    if (!square) {
      problem = "the response is no table of " + std::to_string(places) + " x " + std::to_string(places) +
                " places, as the instance has";
      return std::nullopt;
    }
  }
  RoadMatrix matrix{places, std::vector<std::optional<RoadLeg>>(places * places)};
  for (std::size_t from = 0; from < places; ++from) {
    for (std::size_t to = 0; to < places; ++to) {
      std::optional<double> seconds, metres;
      if (!readAmount(durations[from][to], seconds) || !readAmount(distances[from][to], metres)) {
        problem = "the response has a value that is no duration or distance from place " + std::to_string(from) +
                  " to place " + std::to_string(to);
        return std::nullopt;
      }
      if (seconds && metres) matrix.legs[from * places + to] = RoadLeg{*metres / 1000.0, *seconds / 60.0};
    }
  }
  return matrix;
}

// Valhalla: entries of from_index, to_index, time and distance, in rows or in one list.
std::optional<RoadMatrix> readValhalla(const json& response, std::size_t places, std::string& problem) {
  const bool miles = response.contains("units") && (response["units"] == "miles" || response["units"] == "mi");
  const double kmPerUnit = miles ? kmPerMile : 1.0;
  std::vector<const json*> entries;
  for (const json& item : response["sources_to_targets"]) {
    if (item.is_array()) {
      for (const json& entry : item) entries.push_back(&entry);
    } else {
      entries.push_back(&item);
    }
  }
  RoadMatrix matrix{places, std::vector<std::optional<RoadLeg>>(places * places)};
  std::vector<bool> seen(places * places);
  for (const json* entry : entries) {
    const json from = entry->is_object() ? entry->value("from_index", json()) : json();
    const json to = entry->is_object() ? entry->value("to_index", json()) : json();
    std::optional<double> seconds, distance;
    if (!from.is_number_unsigned() || !to.is_number_unsigned() || from.get<std::size_t>() >= places ||
        to.get<std::size_t>() >= places || !readAmount(entry->value("time", json()), seconds) ||
        !readAmount(entry->value("distance", json()), distance)) {
      problem = "the response has an entry that is no leg between two of the instance's " + std::to_string(places) +
                " places: " + entry->dump();
      return std::nullopt;
    }
    const std::size_t cell = from.get<std::size_t>() * places + to.get<std::size_t>();
    if (seen[cell]) {
      problem = "the response gives the leg from place " + from.dump() + " to place " + to.dump() + " twice";
      return std::nullopt;
    }
    seen[cell] = true;
    if (seconds && distance) matrix.legs[cell] = RoadLeg{*distance * kmPerUnit, *seconds / 60.0};
  }
  return matrix;
}

}  // namespace

std::optional<RoadMatrix> readTableResponse(const json& response, std::size_t places, std::string& problem) {
  if (response.is_object() && response.contains("sources_to_targets") && response["sources_to_targets"].is_array()) {
    return readValhalla(response, places, problem);
  }
  if (response.is_object() && (response.contains("durations") || response.contains("code"))) {
    return readOsrm(response, places, problem);
  }
  problem = "the response has neither OSRM's durations nor Valhalla's sources_to_targets";
  return std::nullopt;
}

}  // namespace tamso::cli
