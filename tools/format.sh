#!/usr/bin/env bash
# Formats the tracked C++ sources with .clang-format.
# Usage: tools/format.sh           format every file in place
#        tools/format.sh --check   change nothing; list the files that drift and fail if any do
#        tools/format.sh [--check] FILE...   only these files
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-clang-format}
check=false
if [ "${1:-}" = "--check" ]; then
  check=true
  shift
fi
if [ $# -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi
if $check; then
  "$clang_format" --dry-run -Werror "${files[@]}"
else
  "$clang_format" -i "${files[@]}"
fi
