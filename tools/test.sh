#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: once in a plain build and
# once built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
tools/build.sh build
(cd build && ctest --output-on-failure -j2)
tools/build.sh build-sanitize -DTAMSO_SANITIZE=ON -DTAMSO_BUILD_BENCH=OFF
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j2)
