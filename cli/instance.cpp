#include "cli/instance.h"

#include <filesystem>

#include "cli/cli.h"

namespace tamso::cli {

// Data files named relative to the configuration file are found beside it, while the
// command's own outputs stay in the current directory.
std::optional<LoadError> loadForCommand(const std::string& configPath, ProblemData& problem, std::ostream& err) {
  // An empty name would make the reader wait for a configuration on standard input.
  if (configPath.empty()) return LoadError{"Error reading configuration file in line 0", configPath, 0, {}};
  LoadOptions options;
  options.dataDirectory = std::filesystem::path(configPath).parent_path().string();
  options.warn = [&err](const LoadWarning& warning) { err << "tamso-cli: " << warningText(warning) << "\n"; };
  return loadInstance(configPath, problem, options);
}

int reportLoadError(const LoadError& error, std::ostream& err) {
  err << error.message << "\n";
  const bool located = !error.file.empty() && error.line > 0;
  if (located && !error.reason.empty()) {
    err << "at " << error.file << ":" << error.line << ": " << error.reason << "\n";
  } else if (located) {
    err << "at " << error.file << ":" << error.line << "\n";
  } else if (!error.file.empty() && !error.reason.empty()) {
    err << "at " << error.file << ": " << error.reason << "\n";
  }
  return exitFailure;
}

}  // namespace tamso::cli
