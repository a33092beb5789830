#include "problem/distances_file.h"

#include <charconv>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "problem/distances.h"
#include "problem/input_file.h"
#include "problem/text.h"

namespace tamso {

namespace {

std::optional<std::string> readRangedReal(const ConfigFile& config, const char* name, double low, double high,
                                          double& target) {
  double value = target;
  // Written this way round so that nan is refused too.
  if (!config.getReal(std::string("params.") + name, target, value) || !(value >= low && value <= high)) {
    return std::string("Wrong format of '") + name + "' field in 'params' section";
  }
  target = value;
  return std::nullopt;
}

// A whole token as a finite real; nothing for text that is not entirely a number.
std::optional<double> strictReal(const std::string& token) {
  double value = 0.0;
  const char* end = token.data() + token.size();
  const auto [stop, failure] = std::from_chars(token.data(), end, value);
  if (failure != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

class DistancesReader {
 public:
  DistancesReader(const std::string& shownPath, const std::string& file, ProblemData& problem)
      : shownPath_(shownPath), file_(file), problem_(problem), seen_(problem.places.size() * problem.places.size()) {
    // The first place of a name wins, as everywhere else.
    for (const Place& place : problem.places) byName_.emplace(place.name, &place);
  }

  std::optional<LoadError> run();

 private:
  std::optional<std::string> readRecord(const std::string& line);
  // The value of a KM or MINUTES field, or the message of a field that is no such value.
  std::optional<std::string> readValue(const std::string& token, double limit, double& value) const;
  void store(const Place& from, const Place& to, double km, double minutes);
  LoadError error(std::string message, int line = 0) const { return {std::move(message), file_, line, {}}; }

  const std::string& shownPath_;
  const std::string& file_;
  ProblemData& problem_;
  std::vector<bool> seen_;  // by from-index x places + to-index
  std::unordered_map<std::string, const Place*> byName_;
};

std::optional<LoadError> DistancesReader::run() {
  InputFile in;
  if (!in.open(file_)) {
    LoadError failure = error("Can't open file '" + shownPath_ + "' for reading");
    failure.reason = in.failure();
    return failure;
  }
  RecordReader reader(in.stream());
  std::string line;
  int status = 0;
  while ((status = reader.next(line)) == 1) {
    if (auto message = readRecord(line)) return error(std::move(*message), reader.recordLine());
  }
  if (status == RecordReader::lineTooLong) {
    return error("Line too long in file '" + shownPath_ + "': at most " + std::to_string(maxRecordLineLength) +
                     " characters are allowed",
                 reader.recordLine());
  }
  if (status < 0) return error("Can't parse file '" + shownPath_ + "'");
  return std::nullopt;
}

std::optional<std::string> DistancesReader::readRecord(const std::string& line) {
  std::size_t pos = 0;
  const std::string fromName = nextToken(line, pos);
  const std::string toName = nextToken(line, pos);
  const std::string kmText = nextToken(line, pos);
  const std::string minutesText = nextToken(line, pos);
  if (minutesText.empty()) return "Can't parse file '" + shownPath_ + "'";
  const auto fromEntry = byName_.find(fromName);
  const auto toEntry = byName_.find(toName);
  const Place* from = fromEntry == byName_.end() ? nullptr : fromEntry->second;
  const Place* to = toEntry == byName_.end() ? nullptr : toEntry->second;
  for (const auto& [place, name] : {std::pair{from, &fromName}, std::pair{to, &toName}}) {
    if (!place) return "Missing declaration of '" + *name + "' place in file '" + shownPath_ + "'";
  }
  if (from == to) return "Distance from '" + fromName + "' to itself in file '" + shownPath_ + "'";
  const std::size_t cell = static_cast<std::size_t>(from->index) * problem_.places.size() + to->index;
  if (seen_[cell]) {
    return "Distance from '" + fromName + "' to '" + toName + "' given twice in file '" + shownPath_ + "'";
  }
  double km = 0.0;
  double minutes = 0.0;
  if (auto wrong = readValue(kmText, maxRoadKm, km)) return wrong;
  if (auto wrong = readValue(minutesText, maxRoadMinutes, minutes)) return wrong;
  seen_[cell] = true;
  store(*from, *to, km, minutes);
  return std::nullopt;
}

std::optional<std::string> DistancesReader::readValue(const std::string& token, double limit, double& value) const {
  const auto number = strictReal(token);
  const std::string where = "' in file '" + shownPath_ + "'";
  if (!number) return "Not a number: '" + token + where;
  if (*number < 0.0) return "Negative value '" + token + where;
  if (*number > limit) return "Value too large: '" + token + where;
  value = *number;
  return std::nullopt;
}

void DistancesReader::store(const Place& from, const Place& to, double km, double minutes) {
  problem_.setLeg(from, to, static_cast<float>(km), fuzzedTravelTime(minutes, problem_.travelTimeFuzzines));
  ++problem_.roadPairsFromFile;
}

}  // namespace

std::optional<std::string> readRoadParameters(const ConfigFile& config, ProblemData& problem) {
  problem.detourFactor = defaultDetourFactor;
  problem.averageSpeed = defaultAverageSpeed;
  if (auto wrong = readRangedReal(config, "detourFactor", minDetourFactor, maxDetourFactor, problem.detourFactor)) {
    return wrong;
  }
  return readRangedReal(config, "averageSpeed", minAverageSpeed, maxAverageSpeed, problem.averageSpeed);
}

std::optional<LoadError> readDistancesFile(const std::string& shownPath, const std::string& file,
                                           ProblemData& problem) {
  problem.roadPairsFromFile = 0;
  return DistancesReader(shownPath, file, problem).run();
}

}  // namespace tamso
