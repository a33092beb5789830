#pragma once
// Progress of a long run on a terminal: one status line on standard error, rewritten in
// place with the step and the gain. Nothing is shown when standard error is no terminal.
#include <memory>
#include <ostream>

#include "routing/run_observer.h"

namespace tamso::cli {

class TerminalProgress final : public RunObserver {
 public:
  explicit TerminalProgress(std::ostream& err) : err_(err) {}
  ~TerminalProgress() override;
  void progress(const RunProgress& progress) override;

 private:
  std::ostream& err_;
  bool shown_ = false;
};

// A progress display when `err` is standard error on a terminal, else nothing.
std::unique_ptr<TerminalProgress> terminalProgressFor(std::ostream& err);

}  // namespace tamso::cli
