#!/usr/bin/env bash
# Sets up what is missing, builds the debug configuration with warnings as errors, checks the
# formatting of every source file and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh

cmake --preset debug >/dev/null
cmake --build --preset debug -j"$(nproc)"

echo "Checking formatting"
mapfile -t sources < <(git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' | sort -u)
if [ ${#sources[@]} -gt 0 ]; then
  existing=()
  for f in "${sources[@]}"; do [ -f "$f" ] && existing+=("$f"); done
  clang-format --dry-run --Werror "${existing[@]}"
fi

QT_QPA_PLATFORM=offscreen ctest --preset debug -j"$(nproc)"
