#include "cli/output_guard.h"

#include "problem/file_identity.h"

namespace tamso::cli {

std::vector<std::string> runOutputs(const RunOptions& options) {
  std::vector<std::string> outputs = {"total.dump", "population.dump", "ordd.dump"};
  if (options.outputPath) outputs.push_back(*options.outputPath);
  if (options.csvPath) outputs.push_back(*options.csvPath);
  return outputs;
}

std::optional<std::string> outputOverwritingInput(const RunOptions& options, const ProblemData& problem) {
  for (const std::string& output : runOutputs(options)) {
    if (auto refusal = refuseOverwritingInput(output, problem.inputFiles)) return refusal;
  }
  return std::nullopt;
}

}  // namespace tamso::cli
