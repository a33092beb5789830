#pragma once
// Loading a whole problem from a configuration file and the nine data files it names.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "problem/config_file.h"
#include "problem/problem_data.h"

namespace tamso {

struct LoadError {
  std::string message;  // the loader's message, word for word
  std::string file;     // the file of the fault, when known
  int line = 0;         // its 1-based line, when known (0: unknown)
  std::string reason;   // why the file could not be opened, when that was the fault
};

// Data that loads but looks wrong: a window out of order, a record given twice alike, a
// configuration key given twice.
struct LoadWarning {
  std::string message;
  std::string file;
  int line = 0;
};

// "warning: MESSAGE" and, on a second line, "at FILE:LINE".
std::string warningText(const LoadWarning& warning);

// One warning for each key given twice in a file of keys and values (the configuration, the
// map parameters), naming both lines; the first value stays in force.
std::vector<LoadWarning> repeatedKeyWarnings(const ConfigFile& file);

struct LoadOptions {
  // When not empty, relative data-file paths are resolved against this folder instead of
  // the current directory (the command-line tool passes the configuration file's folder).
  std::string dataDirectory;
  // Hears every warning of the load; when empty, warnings go to standard error.
  std::function<void(const LoadWarning&)> warn{};
};

// Loads into a fresh problem. On success the fresh problem replaces `problem` and the
// result is empty; on failure `problem` is left exactly as it was and the first error is
// returned.
std::optional<LoadError> loadInstance(const std::string& configPath, ProblemData& problem,
                                      const LoadOptions& options = {});

}  // namespace tamso
