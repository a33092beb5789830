#include "problem/file_identity.h"

#include <sys/stat.h>

namespace tamso {

bool sameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  if (a.empty() || b.empty() || ::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::optional<std::string> inputNamedBy(const std::string& output, const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    if (sameFile(output, input)) return input;
  }
  return std::nullopt;
}

std::optional<std::string> refuseOverwritingInput(const std::string& output, const std::vector<std::string>& inputs) {
  const auto input = inputNamedBy(output, inputs);
  if (!input) return std::nullopt;
  return "Cannot write the file " + output + ": it is the input file " + *input;
}

std::optional<std::string> refuseOverwritingInputs(const std::vector<std::string>& outputs,
                                                   const std::vector<std::string>& inputs) {
  for (const std::string& output : outputs) {
    if (auto refusal = refuseOverwritingInput(output, inputs)) return refusal;
  }
  return std::nullopt;
}

}  // namespace tamso
