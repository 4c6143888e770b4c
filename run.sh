#!/usr/bin/env bash
# Sets up what is missing, builds the release configuration and runs the program.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"

cli=build/release/src/cli/duvanet-cli
echo "Translation of the example sequences (standard genetic code, all frames, both strands):"
"$cli" translate --frame all --strand both examples/*.fasta
