#!/usr/bin/env bash
# Whole-process timings of duvanet-cli against the tools it replaces, on random DNA made afresh:
#   dotplot  20000 x 20000, both strands, window 12, PNG at --size 2048 and 4096
#            against EMBOSS dotmatcher -windowsize 12 -threshold 40 -graph png
#   translate --frame all --strand both of 10 Mbp against EMBOSS transeq -frame 6
#   revcomp  of 10 Mbp against seqkit seq -r -p -t dna
# Each command runs RUNS times, ours and the peer's in turn, and the best wall time counts (the
# machine may be shared). A peer that is not installed is said so and its comparison skipped;
# the peers are not needed by the build: apt-get install emboss seqkit.
#
# Usage: bench/cli_peers.sh [DUVANET_CLI] [RUNS]
#   DUVANET_CLI defaults to build/release/src/cli/duvanet-cli (cmake --preset release &&
#   cmake --build build/release --target duvanet-cli); RUNS defaults to 5.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$here/build/release/src/cli/duvanet-cli}
runs=${2:-5}
if [ ! -x "$tool" ]; then
  echo "cli_peers: $tool is not built" >&2
  exit 1
fi
tool=$(cd "$(dirname "$tool")" && pwd)/$(basename "$tool")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Random A, C, G, T in lines of 60, from a fixed seed.
random_fasta() {  # name length seed
  awk -v name="$1" -v n="$2" -v seed="$3" 'BEGIN {
    srand(seed); split("A C G T", base, " "); print ">" name
    line = ""
    for (i = 0; i < n; i++) {
      line = line base[int(rand() * 4) + 1]
      if (length(line) == 60) { print line; line = "" }
    }
    if (line != "") print line
  }'
}
random_fasta horizontal 20000 1 > h.fa
random_fasta vertical 20000 2 > v.fa
random_fasta genome 10000000 3 > big.fa

now() { date +%s.%N; }

# timed KEY command...: runs the command once and keeps its shortest wall time in best[KEY], in
# seconds. Ours and the peer's run in turn so that both see the same load.
declare -A best
timed() {
  local key=$1
  shift
  local t0 t1 t
  t0=$(now)
  "$@" > /dev/null 2>&1 || { echo "cli_peers: '$*' failed" >&2; exit 1; }
  t1=$(now)
  t=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f", b - a }')
  if [ -z "${best[$key]:-}" ] || awk -v t="$t" -v b="${best[$key]}" 'BEGIN { exit !(t < b) }'; then
    best[$key]=$t
  fi
}
have() { command -v "$1" > /dev/null 2>&1; }

for ((r = 0; r < runs; r++)); do
  timed dotplot2048 "$tool" dotplot h.fa v.fa --type dna-both --window 12 -o out2048.png --size 2048
  timed dotplot4096 "$tool" dotplot h.fa v.fa --type dna-both --window 12 -o out4096.png --size 4096
  if have dotmatcher; then
    timed dotmatcher dotmatcher -asequence h.fa -bsequence v.fa -windowsize 12 -threshold 40 \
      -graph png -goutfile dotmatcher -auto
  fi
  timed translate sh -c "'$tool' translate --frame all --strand both big.fa > translated.fa"
  if have transeq; then
    timed transeq transeq -sequence big.fa -frame 6 -outseq transeq.fa -auto
  fi
  timed revcomp sh -c "'$tool' revcomp big.fa > revcomp.fa"
  if have seqkit; then
    timed seqkit seqkit seq -r -p -t dna big.fa -o seqkit.fa
  fi
done

echo "duvanet-cli against its peers: best wall time of $runs runs, $(nproc) cores"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
line() {  # what ours peer peer-name
  if [ -n "${best[$3]:-}" ]; then
    printf '%-40s %7.3f s  %-10s %7.3f s  peer/ours %5.2f\n' "$1" "${best[$2]}" "$3" "${best[$3]}" \
      "$(ratio "${best[$3]}" "${best[$2]}")"
  else
    printf '%-40s %7.3f s  %s is not installed: comparison skipped\n' "$1" "${best[$2]}" "$3"
  fi
}
line "dotplot 20000 x 20000 dna-both, 2048" dotplot2048 dotmatcher
line "dotplot 20000 x 20000 dna-both, 4096" dotplot4096 dotmatcher
printf '%-40s %7.2f (at most 2)\n' "  --size 4096 / --size 2048" "$(ratio "${best[dotplot4096]}" "${best[dotplot2048]}")"
line "translate 10 Mbp, 6 frames" translate transeq
line "revcomp 10 Mbp" revcomp seqkit
