#pragma once
// Telling whether an output would overwrite an input: two names of one file are found out by
// the file itself (its device and inode), so a link or a path through ".." to an input counts
// as that input.
#include <optional>
#include <string>
#include <vector>

namespace tamso {

// True when both names name one existing file.
bool sameFile(const std::string& a, const std::string& b);

// The first of `inputs` that `output` names; nothing when it names none of them (an output
// that does not exist yet names no input).
std::optional<std::string> inputNamedBy(const std::string& output, const std::vector<std::string>& inputs);

// Nothing when `output` names none of `inputs`, else the message
// "Cannot write the file OUTPUT: it is the input file INPUT".
std::optional<std::string> refuseOverwritingInput(const std::string& output, const std::vector<std::string>& inputs);

// The refusal of the first of `outputs` that names one of `inputs`, as above.
std::optional<std::string> refuseOverwritingInputs(const std::vector<std::string>& outputs,
                                                   const std::vector<std::string>& inputs);

}  // namespace tamso
