#pragma once
// The loaded problem as a JSON document: parameters, horizonEnd, every table's records
// with their links given by name, and the distance and travel-time tables indexed by place
// index; every vehicle type's capacity and every order's load as {KEY: quantity}. A fuzzy time is [earliest, likely,
// latest], a window [start, fullEnd, end].
#include <nlohmann/json.hpp>

#include "problem/problem_data.h"

namespace tamso {

nlohmann::json problemJson(const ProblemData& problem);

// A single-precision value as the shortest decimal that reads back to the same float.
nlohmann::json floatJson(float value);
nlohmann::json fuzzyTimeJson(const FuzzyTime& t);
nlohmann::json windowJson(const FuzzyWindow& w);
nlohmann::json quantityListJson(const QuantityList& list);
// The pairs of a quantity list as one object {KEY: quantity}.
nlohmann::json quantityMapJson(const QuantityList& list);

}  // namespace tamso
