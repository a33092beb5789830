#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, and runs every test twice: once in a plain build (three
# times over, four at a time, to shake out tests that depend on each other), once built with
# AddressSanitizer and UndefinedBehaviorSanitizer. Then builds the Debian package, unpacks it
# into a temporary folder and runs both installed programs there on the installed example.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/format.sh --check
export QT_QPA_PLATFORM=offscreen
tools/build.sh build
(cd build && ctest --output-on-failure -j4 --repeat until-fail:3)
tools/build.sh build-sanitize -DTAMSO_SANITIZE=ON -DTAMSO_BUILD_BENCH=OFF
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j2)

# The package, installed nowhere: unpacked and run where it lies.
(cd build && cpack -G DEB -B packages >/dev/null)
package=$(ls build/packages/tamso_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"
bin="$root/usr/bin"
examples="$root/usr/share/tamso/examples"
desktop-file-validate "$root/usr/share/applications/tamso.desktop"
"$bin/tamso-cli" --version
"$bin/tamso" --version
mkdir "$root/run"
(cd "$root/run" && "$bin/tamso-cli" plan "$examples/europe/europe.cfg" --seed 1 >/dev/null && test -s total.dump)
(cd "$root/run" && "$bin/tamso" "$examples/europe/europe.cfg" --map "$examples/europe/map/europe.map" \
  --local-search --seed 1 --export-png "$root/run/europe.png" && test -s europe.png)
dpkg-deb -f "$package" Package Version Depends
echo "package $package: both installed programs ran on the installed example"
