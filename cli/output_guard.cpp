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
  const auto refusal = refuseOverwritingInputs(runOutputs(request, options), request.problem->inputFiles);
  if (refusal) err << "tamso-cli: " << *refusal << "\n";
  return !refusal;
}

}  // namespace tamso::cli
