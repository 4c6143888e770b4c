#!/usr/bin/env bash
# Sets up what is missing, builds the release configuration and runs the program.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"

app=build/release/src/app/duvanet
cli=build/release/src/cli/duvanet-cli

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$app" "$@"
fi

echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the command-line tool instead."
if "$cli" --help 2>/dev/null | grep -q '^  dotplot'; then
  out=dotplot.png
  "$cli" dotplot examples/dna_pair.fasta examples/dna_pair.fasta --hindex 0 --vindex 1 \
    --type dna-both --window 12 --thumbs 8,12 --figure --width 1000 --height 1000 -o "$out"
  echo "Dot plot figure of the two example DNA sequences (both strands, window 12; axes, colour" \
    "legend and tracks) written to $out"
else
  echo "Translation of the example sequences (standard genetic code, all frames, both strands):"
  "$cli" translate --frame all --strand both examples/*.fasta
fi
