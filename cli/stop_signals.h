#pragma once
// Ctrl+C and kill for a running command: the first SIGINT or SIGTERM asks the run to stop
// (as the window's Stop does), so the best plan so far is still printed and the dump files
// written; a second one ends the process at once with exit status 130.
namespace tamso::cli {

// Installs the handlers while it lives and restores the former ones after; the stop
// request starts cleared.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // A signal has arrived since the handlers were installed.
  static bool received();
};

}  // namespace tamso::cli
