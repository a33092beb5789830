#pragma once
// Runs tamso-cli in-process and keeps what it wrote.
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tamso::testing {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline CliRun runTool(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  CliRun run;
  run.exitCode = runCli(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

inline std::string example(const std::string& name) {
  return std::string(TAMSO_EXAMPLES_DIR) + "/" + name + "/" + name + ".cfg";
}

}  // namespace tamso::testing
