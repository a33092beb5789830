#include "cli/output_guard.h"

#include "problem/file_identity.h"
#include "run/run_outcome.h"

namespace tamso::cli {

std::vector<std::string> runOutputs(const RunRequest& request, const RunOptions& options) {
  std::vector<std::string> outputs = runDumpFiles(request);
  if (options.outputPath) outputs.push_back(*options.outputPath);
  if (options.csvPath) outputs.push_back(*options.csvPath);
  return outputs;
}

bool outputsSpareInputs(const RunRequest& request, const RunOptions& options, std::ostream& err) {
  for (const std::string& output : runOutputs(request, options)) {
    if (const auto refusal = refuseOverwritingInput(output, request.problem->inputFiles)) {
      err << "tamso-cli: " << *refusal << "\n";
      return false;
    }
  }
  return true;
}

}  // namespace tamso::cli
