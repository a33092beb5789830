#!/usr/bin/env bash
# The main job: install what is missing, build, and plan the bundled European example.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh build
./build/cli/tamso-cli plan examples/europe/europe.cfg
