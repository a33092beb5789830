#pragma once
// Tests that read or write local times run in Central European time, whatever the
// machine's zone. The rule is spelled out so no zone database is needed.
#include <cstdlib>
#include <ctime>

namespace tamso::testing {

inline void useCentralEuropeanTime() {
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  tzset();
}

}  // namespace tamso::testing
