#include "cli/matrix_command.h"

#include <charconv>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli/command_line.h"
#include "cli/instance.h"
#include "cli/matrix_response.h"
#include "core/file_replace.h"
#include "problem/config_file.h"
#include "problem/input_file.h"
#include "problem/text.h"

namespace tamso::cli {

namespace {

namespace fs = std::filesystem;

// Fixed decimals without the locale's say.
std::string decimals(double value, int precision) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
  return std::string(text, result.ptr);
}

// The shortest text that reads back as the same coordinate.
std::string coordinate(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// A place name as the data files read it: bare when it reads back whole, else in quotes.
// Nothing for a name no record line can hold.
std::optional<std::string> recordName(const std::string& name) {
  for (const std::string& written : {name, "\"" + name + "\""}) {
    std::size_t pos = 0;
    if (nextToken(written, pos) == name && pos == written.size()) return written;
  }
  return std::nullopt;
}

int requestCommand(const std::vector<std::string>& positionals, std::ostream& out, std::ostream& err) {
  if (positionals.size() != 2) return usageError(err, "matrix request takes one configuration file");
  ProblemData problem;
  if (const auto error = loadForCommand(positionals[1], problem)) return reportLoadError(*error, err);
  std::string coordinates;
  for (const Place& place : problem.places) {
    if (!coordinates.empty()) coordinates += ';';
    coordinates += coordinate(place.longitude) + "," + coordinate(place.latitude);
    err << place.name << "\n";
  }
  out << coordinates << "\n";
  return exitSuccess;
}

// The files the import reads or that make up the instance; the output must be none of them.
std::vector<fs::path> inputsOf(const std::string& configPath, const std::string& responsePath) {
  std::vector<fs::path> inputs = {configPath, responsePath};
  ConfigFile config;
  if (!config.read(configPath)) return inputs;
  for (const char* key : {"vehicleTypes", "vehicles", "clients", "countries", "regions", "places", "orders",
                          "articleTypes", "vehiclesPositions"}) {
    if (const auto path = config.lookup(std::string("files.") + key)) {
      inputs.push_back(fs::path(configPath).parent_path() / *path);
    }
  }
  return inputs;
}

bool isInput(const std::string& output, const std::vector<fs::path>& inputs) {
  std::error_code ignored;
  for (const fs::path& input : inputs) {
    if (fs::equivalent(output, input, ignored)) return true;
  }
  return false;
}

std::optional<nlohmann::json> readResponse(const std::string& path, std::string& problem) {
  InputFile in;
  if (!in.open(path)) {
    problem = "Can't open file '" + path + "' for reading: " + in.failure();
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.stream().rdbuf();
  nlohmann::json response = nlohmann::json::parse(text.str(), nullptr, false);
  if (response.is_discarded()) {
    problem = "The file '" + path + "' is no JSON document";
    return std::nullopt;
  }
  return response;
}

struct ImportCounts {
  std::int64_t written = 0;
  std::int64_t withoutRoute = 0;
  std::int64_t sameName = 0;  // pairs with a place named like an earlier one, which no record can name
};

std::string distancesText(const ProblemData& problem, const RoadMatrix& matrix, ImportCounts& counts) {
  std::string text = "# Road legs imported by tamso-cli matrix import\n# from  to  km  minutes\n";
  const std::size_t n = problem.places.size();
  for (std::size_t from = 0; from < n; ++from) {
    for (std::size_t to = 0; to < n; ++to) {
      if (from == to) continue;
      const Place& a = problem.places[from];
      const Place& b = problem.places[to];
      const auto leg = matrix.leg(from, to);
      if (problem.findPlace(a.name) != &a || problem.findPlace(b.name) != &b) {
        ++counts.sameName;
      } else if (!leg) {
        ++counts.withoutRoute;
      } else {
        text += *recordName(a.name) + " " + *recordName(b.name) + " " + decimals(leg->km, 3) + " " +
                decimals(leg->minutes, 2) + "\n";
        ++counts.written;
      }
    }
  }
  return text;
}

std::optional<std::string> unwritableName(const ProblemData& problem) {
  for (const Place& place : problem.places) {
    if (!recordName(place.name)) return place.name;
  }
  return std::nullopt;
}

int importCommand(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const auto output = line.option("--output");
  if (line.positionals.size() != 3 || !output || output->empty()) {
    return usageError(err, "matrix import takes a configuration file, a response file and -o FILE");
  }
  const std::string& configPath = line.positionals[1];
  const std::string& responsePath = line.positionals[2];
  if (isInput(*output, inputsOf(configPath, responsePath))) {
    err << "The output file '" << *output << "' is one of the files the import reads\n";
    return exitFailure;
  }
  ProblemData problem;
  if (const auto error = loadForCommand(configPath, problem)) return reportLoadError(*error, err);
  std::string problemText;
  const auto response = readResponse(responsePath, problemText);
  const auto matrix = response ? readTableResponse(*response, problem.places.size(), problemText) : std::nullopt;
  if (!matrix) {
    err << (response ? "The file '" + responsePath + "' is no table response: " : std::string()) << problemText << "\n";
    return exitFailure;
  }
  if (const auto name = unwritableName(problem)) {
    err << "The place name '" << *name << "' cannot be written to a distances file\n";
    return exitFailure;
  }
  ImportCounts counts;
  const std::string text = distancesText(problem, *matrix, counts);
  if (const auto error = replaceFile(*output, text)) {
    err << *error << "\n";
    return exitFailure;
  }
  out << "Wrote " << *output << " with " << counts.written << " pairs of places; left out " << counts.withoutRoute
      << " pairs without a route\n";
  if (counts.sameName > 0) {
    out << "Left out " << counts.sameName << " pairs with a place named like an earlier place\n";
  }
  return exitSuccess;
}

}  // namespace

std::vector<OptionHelp> matrixHelp() {
  return {{"request CONFIG",
           "print the places' longitude,latitude pairs separated by semicolons, in the order of the places file, "
           "as an OSRM /table/v1/driving/ request takes them; their names follow in the same order on standard "
           "error, one a line"},
          {"import CONFIG RESPONSE.json -o FILE",
           "write the distances file FILE from an OSRM table response (durations and distances; null where there "
           "is no route) or a Valhalla matrix response (sources_to_targets); pairs without a route are left out "
           "and counted"}};
}

int runMatrixCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> named = args;
  for (std::string& arg : named) {
    if (arg == "-o") arg = "--output";
  }
  std::string problem;
  const auto line = parseCommandLine(named, {}, {"--output"}, problem);
  if (!line) return usageError(err, problem);
  const std::string action = line->positionals.empty() ? std::string() : line->positionals[0];
  if (action == "request" && !line->option("--output")) return requestCommand(line->positionals, out, err);
  if (action == "import") return importCommand(*line, out, err);
  return usageError(err, "matrix needs 'request CONFIG' or 'import CONFIG RESPONSE.json -o FILE'");
}

}  // namespace tamso::cli
