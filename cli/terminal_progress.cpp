#include "cli/terminal_progress.h"

#include <unistd.h>

#include <iostream>

#include "problem/text.h"

namespace tamso::cli {

TerminalProgress::~TerminalProgress() {
  if (shown_) err_ << "\n";
}

void TerminalProgress::progress(const RunProgress& progress) {
  err_ << "\r" << describeStep(progress) << ", gain " << formatTwoDecimals(progress.gain) << "        " << std::flush;
  shown_ = true;
}

std::unique_ptr<TerminalProgress> terminalProgressFor(std::ostream& err) {
  if (&err != &std::cerr || ::isatty(STDERR_FILENO) != 1) return nullptr;
  return std::make_unique<TerminalProgress>(err);
}

}  // namespace tamso::cli
