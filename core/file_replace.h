#pragma once
// Writing a report file whole or not at all: the text goes to a new temporary file in the
// target's folder, which is then renamed over the target. A reader never sees half a file,
// and a failed write leaves any former file as it was. A device or pipe named as the
// target (/dev/stdout, /dev/full, a FIFO) is written to in place.
#include <optional>
#include <string>

namespace tamso {

// Nothing on success, else the message "Cannot write the file PATH: REASON".
std::optional<std::string> replaceFile(const std::string& path, const std::string& contents);

// Removes the temporary file of a replaceFile under way, if there is one, and lets no later
// replaceFile make one (they fail). Safe in a signal handler, so a process that ends on a
// signal in the middle of a write leaves no temporary file behind.
void removeUnfinishedReplacement();

}  // namespace tamso
