#!/bin/bash
# Builds the fuzz targets with clang in BUILD_DIR and runs each for SECONDS (default 20) on a
# small seed corpus made here. Usage: fuzz/run.sh BUILD_DIR [SECONDS]
set -eu

build=${1:?usage: fuzz/run.sh BUILD_DIR [SECONDS]}
seconds=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

seed() {  # seed TARGET NAME HEX...: one corpus file from the hex pieces, joined
  local target=$1 name=$2 hex
  shift 2
  hex=$(printf '%s' "$@")
  mkdir -p "$build/corpus/$target"
  printf '%b' "$(printf '%s' "$hex" | sed 's/../\\x&/g')" >"$build/corpus/$target/$name"
}
repeat() {  # repeat HEX COUNT
  local out=""
  for ((i = 0; i < $2; i++)); do out+=$1; done
  printf '%s' "$out"
}

# Frame decoder: byte 0 picks the bound (00: the program's own), byte 1 seeds the split sizes,
# the rest is the stream.
seed fuzz_frame_decoder request 0007 0103313230
seed fuzz_frame_decoder move 0003 04023234013101330132 0103313230
seed fuzz_frame_decoder chain 0011 01 FF "$(repeat 61 254)" 026162
seed fuzz_frame_decoder oversized 0209 01 FF "$(repeat 7A 40)"
seed fuzz_frame_decoder empty_count 0005 0103313230 00 010331
seed fuzz_frame_decoder two_items 0209 02 00 03616263

# cBuffer reads: byte 0 counts the operation bytes that follow, the rest is the content.
seed fuzz_cbuffer_reads fixed 06 000102030405 01 00 FEFF 01000000 0000803F 000000000000F03F
seed fuzz_cbuffer_reads strings 03 060708 03000000616263 06000000610062006300 03000000414243
seed fuzz_cbuffer_reads limits 04 06090A06 01000100 78787878

# Peer streams into a game: byte 0 picks host/client and connected; then framed messages.
seed fuzz_net_game move 03 04023234013101330132
seed fuzz_net_game chat 02 0202333605686921
seed fuzz_net_game request 01 0103313230

status=0
# Every fuzz_* target the project builds; one without seeds starts from an empty corpus.
for path in "$build"/fuzz_*; do
  [[ -f $path && -x $path ]] || continue
  target=$(basename "$path")
  mkdir -p "$build/corpus/$target"
  echo "== $target (${seconds}s)"
  mkdir -p "$build/artifacts/$target"
  "$path" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/$target/" -print_final_stats=1 \
    "$build/corpus/$target" || status=1
done
exit $status
