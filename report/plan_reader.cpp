#include "report/plan_reader.h"

#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "problem/input_file.h"
#include "problem/text.h"
#include "report/plan_output.h"

namespace tamso {

namespace {

using nlohmann::json;

constexpr std::int64_t kLargestPlanFile = 64ll << 20;

// Reading stops at the first fault; `fail` records it.
struct Reader {
  std::string error;
  std::set<std::string> vehicles;
  std::set<std::string> orders;

  bool fail(const std::string& message) {
    if (error.empty()) error = message;
    return false;
  }
};

// A minute count a plan can hold: a whole number from 0 to the largest 32-bit one.
bool isMinute(const json& value) {
  if (!value.is_number_integer()) return false;
  const auto minutes = value.get<std::int64_t>();
  return minutes >= 0 && minutes <= std::numeric_limits<std::int32_t>::max();
}

// A fuzzy time or window: three minute counts in order.
bool isTriple(const json& value) {
  if (!value.is_array() || value.size() != 3) return false;
  for (const json& minutes : value) {
    if (!isMinute(minutes)) return false;
  }
  return value[0].get<std::int64_t>() <= value[1].get<std::int64_t>() &&
         value[1].get<std::int64_t>() <= value[2].get<std::int64_t>();
}

bool timesAreTimes(Reader& reader, const json& object, const std::string& where) {
  for (const char* key : {"arrival", "serviceStart", "shownArrival", "departure", "window"}) {
    if (object.contains(key) && !isTriple(object[key])) {
      return reader.fail(where + ": \"" + key + "\" is no time (three minute counts in order)");
    }
  }
  for (const char* key : {"start", "end"}) {
    if (object.contains(key) && !object[key].is_null() && !isMinute(object[key])) {
      return reader.fail(where + ": \"" + key + "\" is no time");
    }
  }
  return true;
}

std::optional<std::string> textOf(const json& object, const char* key) {
  if (!object.is_object() || !object.contains(key) || !object[key].is_string()) return std::nullopt;
  const std::string text = object[key].get<std::string>();
  if (text.empty()) return std::nullopt;
  return upperCasedName(text);
}

std::optional<StopKind> kindOf(const json& stop) {
  const auto kind = textOf(stop, "kind");
  if (!kind) return std::nullopt;
  for (StopKind k : {StopKind::Pickup, StopKind::Delivery, StopKind::Waiting}) {
    if (*kind == stopKindName(k)) return k;
  }
  return std::nullopt;
}

bool readStop(Reader& reader, const json& stop, const std::string& where, SavedStop& saved) {
  const auto kind = kindOf(stop);
  if (!kind) return reader.fail(where + ": \"kind\" must be \"PICKUP\", \"DELIVERY\" or \"WAITING\"");
  saved.kind = *kind;
  saved.place = textOf(stop, "place").value_or("");
  if (*kind == StopKind::Waiting) return timesAreTimes(reader, stop, where);
  const auto order = textOf(stop, "order");
  if (!order) return reader.fail(where + ": a pickup or delivery needs its \"order\"");
  saved.order = *order;
  if (!timesAreTimes(reader, stop, where)) return false;
  if (stop.contains("serviceStart")) saved.serviceStart = stop["serviceStart"][1].get<std::int32_t>();
  return true;
}

// Every order of the route is picked up once and delivered once after it.
bool ordersPaired(Reader& reader, const SavedRoute& route) {
  std::map<std::string, int> open;
  for (const SavedStop& stop : route.stops) {
    if (stop.kind == StopKind::Pickup) {
      if (!reader.orders.insert(stop.order).second) {
        return reader.fail("order " + stop.order + " appears twice in the plan");
      }
      open[stop.order] = 1;
    } else if (stop.kind == StopKind::Delivery) {
      if (open[stop.order] != 1) {
        return reader.fail("order " + stop.order + " on route " + route.vehicle +
                           " is delivered without a pickup before it, or twice");
      }
      open[stop.order] = 2;
    }
  }
  for (const auto& [order, state] : open) {
    if (state == 1) return reader.fail("order " + order + " on route " + route.vehicle + " is never delivered");
  }
  return true;
}

bool readRoute(Reader& reader, const json& route, std::size_t number, SavedRoute& saved) {
  const std::string where = "route " + std::to_string(number + 1);
  const auto vehicle = textOf(route, "vehicle");
  if (!vehicle) return reader.fail(where + " has no \"vehicle\" name");
  saved.vehicle = *vehicle;
  if (!reader.vehicles.insert(*vehicle).second) return reader.fail("vehicle " + *vehicle + " has two routes");
  if (route.contains("locked") && !route["locked"].is_boolean()) {
    return reader.fail(where + ": \"locked\" must be true or false");
  }
  saved.locked = route.value("locked", false);
  if (!route.contains("stops") || !route["stops"].is_array()) return reader.fail(where + " has no \"stops\" list");
  if (!timesAreTimes(reader, route, where)) return false;
  const json& stops = route["stops"];
  for (std::size_t k = 0; k < stops.size(); ++k) {
    const std::string at = where + ", stop " + std::to_string(k + 1);
    if (!readStop(reader, stops[k], at, saved.stops.emplace_back())) return false;
  }
  return ordersPaired(reader, saved);
}

bool readUnplanned(Reader& reader, const json& document, SavedPlan& plan) {
  if (!document.contains("unplanned")) return true;
  const json& unplanned = document["unplanned"];
  if (!unplanned.is_array()) return reader.fail("\"unplanned\" must be a list");
  for (const json& entry : unplanned) {
    const auto order = entry.is_string() ? std::optional<std::string>(upperCasedName(entry.get<std::string>()))
                                         : textOf(entry, "order");
    if (!order || order->empty()) return reader.fail("an unplanned entry has no \"order\"");
    if (!reader.orders.insert(*order).second) return reader.fail("order " + *order + " appears twice in the plan");
    plan.unplanned.push_back(*order);
  }
  return true;
}

bool readDocument(Reader& reader, const json& document, SavedPlan& plan) {
  if (!document.is_object()) return reader.fail("it is no plan document (no JSON object)");
  if (!document.contains("schemaVersion") || !document["schemaVersion"].is_number_integer()) {
    return reader.fail("it has no \"schemaVersion\"");
  }
  if (document["schemaVersion"].get<std::int64_t>() != planSchemaVersion) {
    return reader.fail("its schemaVersion is " + document["schemaVersion"].dump() + "; this planner reads " +
                       std::to_string(planSchemaVersion));
  }
  if (!document.contains("routes") || !document["routes"].is_array()) return reader.fail("it has no \"routes\" list");
  const json& routes = document["routes"];
  for (std::size_t r = 0; r < routes.size(); ++r) {
    if (!routes[r].is_object()) return reader.fail("route " + std::to_string(r + 1) + " is no JSON object");
    if (!readRoute(reader, routes[r], r, plan.routes.emplace_back())) return false;
  }
  return readUnplanned(reader, document, plan);
}

}  // namespace

std::optional<SavedPlan> readSavedPlan(const std::string& text, std::string& error) {
  const json document = json::parse(text, nullptr, false);
  if (document.is_discarded()) {
    error = "it is no JSON document";
    return std::nullopt;
  }
  Reader reader;
  SavedPlan plan;
  if (!readDocument(reader, document, plan)) {
    error = reader.error;
    return std::nullopt;
  }
  return plan;
}

std::optional<SavedPlan> readSavedPlanFile(const std::string& path, std::string& error) {
  InputFile in;
  if (!in.open(path)) {
    error = "Can't open the plan file '" + path + "': " + in.failure();
    return std::nullopt;
  }
  if (in.size() > kLargestPlanFile) {
    error = "The plan file '" + path + "' is larger than any plan (64 MB)";
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.stream().rdbuf();
  if (in.stream().bad()) {
    error = "Can't read the plan file '" + path + "'";
    return std::nullopt;
  }
  std::optional<SavedPlan> plan = readSavedPlan(text.str(), error);
  if (!plan) error = "The plan file '" + path + "' cannot be read: " + error;
  return plan;
}

}  // namespace tamso
