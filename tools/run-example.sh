#!/usr/bin/env bash
# The main job: install what is missing, build the two programs (no tests, no benchmarks) in a
# folder of their own, and plan the bundled European example. tools/test.sh builds and runs
# everything else.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh build-programs -DBUILD_TESTING=OFF -DTAMSO_BUILD_BENCH=OFF
./build-programs/cli/tamso-cli plan examples/europe/europe.cfg
