#pragma once
// The plan as a dispatcher reads it (text) and as programs read it (one JSON document for
// every planning command, described in docs/plan-json.md).
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "routing/solution.h"

namespace tamso {

inline constexpr int planSchemaVersion = 1;

// What a report says about the run besides the plan.
struct RunFacts {
  std::string command;  // "plan", "ga", "hga"
  std::uint32_t seed = 0;
  std::optional<std::string> stopped;  // "time limit", "signal"; nothing for a finished run
};

// The header lines: command, seed, time zone, and why the run stopped early.
void printRunHeader(std::ostream& out, const RunFacts& facts);
// Every route with its figures and stops, then the summary and the unplanned orders with
// the reason each was left out.
void printPlanText(std::ostream& out, Solution& solution);

// The plan's part of the document: gain, summary, routes, unplanned.
nlohmann::json planJson(Solution& solution);
// The whole document: schemaVersion, command, seed, stopped, timeZone, then planJson.
nlohmann::json planDocument(const RunFacts& facts, Solution& solution);

// The document as one line of text; text that is no valid UTF-8 is replaced, not refused.
std::string jsonLine(const nlohmann::json& document);

}  // namespace tamso
