#include "cli/stop_signals.h"

#include <unistd.h>

#include <csignal>

#include "core/file_replace.h"

namespace tamso::cli {

namespace {

constexpr int stoppedBySignal = 130;
volatile std::sig_atomic_t signalCount = 0;
struct sigaction formerInterrupt {};
struct sigaction formerTerminate {};

// Only async-signal-safe work here: count, and leave at once on the second signal, without
// leaving the temporary file of an output being written.
extern "C" void onStopSignal(int) {
  if (signalCount > 0) {
    removeUnfinishedReplacement();
    ::_exit(stoppedBySignal);
  }
  signalCount = 1;
}

}  // namespace

StopSignals::StopSignals() {
  signalCount = 0;
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, &formerInterrupt);
  sigaction(SIGTERM, &action, &formerTerminate);
}

StopSignals::~StopSignals() {
  sigaction(SIGINT, &formerInterrupt, nullptr);
  sigaction(SIGTERM, &formerTerminate, nullptr);
}

bool StopSignals::received() { return signalCount != 0; }

}  // namespace tamso::cli
