#!/bin/sh
# duvanet-cli reads what is not a regular file: standard input as /dev/stdin, a pipe of more
# than 1 MiB, and a FIFO named like a gzip FASTA file whose writer
# comes late. Every read runs under a time limit, so a read that hangs fails the test.
# Arguments: the tool, a FASTA fixture, a scratch folder.
set -u
tool=$1
fasta=$2
work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1
fail() { echo "FAILED: $*" >&2; exit 1; }

# The expected output: the fixture's records as the tool writes them.
timeout 20 "$tool" cat "$fasta" > "$work/expected" || fail "cat of the fixture"

# Standard input is read as a text file named "stdin": the whole input, line ends as CR LF.
timeout 20 "$tool" cat /dev/stdin < "$fasta" > "$work/stdin" || fail "cat /dev/stdin"
head -n 1 "$work/stdin" | grep -qx '>stdin' || fail "stdin is not one text sequence named stdin"

# Through a pipe of more than 1 MiB: the same text sequence as read from the file itself.
big="$work/big.txt"
i=0
while [ $i -lt 20 ]; do cat "$fasta"; i=$((i + 1)); done > "$work/piece"
i=0
while [ $i -lt 40 ]; do cat "$work/piece"; i=$((i + 1)); done > "$work/pieces"
i=0
while [ $i -lt 16 ]; do cat "$work/pieces"; i=$((i + 1)); done > "$big"
[ "$(wc -c < "$big")" -gt 1048576 ] || fail "the pipe fixture is too small"
timeout 20 "$tool" stats "$big" | tail -n +2 | cut -f 2- > "$work/file.stats" || fail "stats of the file"
cat "$big" | timeout 20 "$tool" stats /dev/stdin | tail -n +2 | cut -f 2- > "$work/pipe.stats" ||
  fail "stats through a pipe"
cmp -s "$work/file.stats" "$work/pipe.stats" || fail "a pipe over 1 MiB counts differently"

# A FIFO named as gzip-compressed FASTA, its writer starting after the reader: decompressed while
# it is read, the same records as the fixture.
fifo="$work/late.fa.gz"
mkfifo "$fifo" || fail "mkfifo"
(sleep 1; gzip -c "$fasta" > "$fifo") &
timeout 20 "$tool" cat "$fifo" > "$work/fifo" || fail "cat of the FIFO"
wait
cmp -s "$work/expected" "$work/fifo" || fail "the gzip FIFO reads differently"
exit 0
