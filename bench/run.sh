#!/usr/bin/env bash
# Builds a Release tree, runs every benchmark (median of several repetitions), measures the CPU
# the idle program uses, and prints the ratio table. Under two minutes once built.
#
#   bench/run.sh [--no-build] [--idle-seconds N] [build-dir]
#
# build-dir defaults to build-bench beside the sources. --no-build runs what is there (the
# `bench` target of a tree configured with -DVEXTAL_BENCH=ON uses it after building).
# Raw results go to <build-dir>/bench/results/.
set -euo pipefail

src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build=""
do_build=1
idle_seconds=30
repetitions=5
while [ $# -gt 0 ]; do
  case "$1" in
    --no-build) do_build=0 ;;
    --idle-seconds) idle_seconds="$2"; shift ;;
    -h|--help) sed -n 2,9p "$0"; exit 0 ;;
    *) build="$1" ;;
  esac
  shift
done
build="${build:-$src/build-bench}"

if [ "$do_build" = 1 ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXTAL_SANITIZE=OFF \
    -DVEXTAL_TESTS=OFF -DVEXTAL_BENCH=ON >/dev/null
  cmake --build "$build" -j2 --target bench_framing bench_roundtrip bench_game bench_startup \
    bench_peer_flood vextal vextal_sounds
fi

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
results="$build/bench/results"
mkdir -p "$results"
# One run at a time per tree: two runs would write the same files and load the same two cores.
exec 9>"$results/.lock"
if ! flock -n 9; then
  echo "another benchmark run is using $build; waiting for it to finish"
  flock 9
fi
rm -f "$results"/*.json "$results"/*.log "$results"/*.tsv

# --- Idle: the real program, started first and left alone while the benchmarks run on -------
# Its CPU is its own (utime + stime of all its threads), so the load beside it does not count.
clk_tck="$(getconf CLK_TCK)"
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Per thread: name, nanoseconds on a CPU, wake-ups (voluntary context switches).
threads() {
  for task in /proc/"$1"/task/*; do
    printf '%s\t%s\t%s\n' "$(cat "$task/comm")" "$(cut -d' ' -f1 "$task/schedstat")" \
      "$(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status")"
  done
}

"$build/bin/vextal" >"$results/idle-vextal.log" 2>&1 &
vextal_pid=$!
sleep "$((idle_seconds + 120))" &
sleep_pid=$!
trap 'kill "$vextal_pid" "$sleep_pid" 2>/dev/null || true' EXIT
sleep 3  # start-up done, first game on the board
idle_start="$(date +%s.%N)"
vextal_ticks0="$(ticks "$vextal_pid")"
sleep_ticks0="$(ticks "$sleep_pid")"
threads "$vextal_pid" >"$results/idle-threads-start.tsv"

# --- Benchmarks ----------------------------------------------------------------------------------
for bench in bench_framing bench_roundtrip bench_game bench_startup bench_peer_flood; do
  echo "running $bench ..."
  "$build/bench/$bench" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_min_time=0.1 \
    --benchmark_out="$results/$bench.json" --benchmark_out_format=json \
    >"$results/$bench.log" 2>&1
done

# --- Idle, continued ------------------------------------------------------------------------------
now="$(date +%s.%N)"
left="$(awk -v a="$idle_start" -v b="$now" -v s="$idle_seconds" 'BEGIN {r = s - (b - a); print (r > 0 ? r : 0)}')"
sleep "$left"
idle_end="$(date +%s.%N)"
vextal_ticks1="$(ticks "$vextal_pid")"
sleep_ticks1="$(ticks "$sleep_pid" 2>/dev/null || echo "$sleep_ticks0")"
threads "$vextal_pid" >"$results/idle-threads-end.tsv"
kill "$vextal_pid" "$sleep_pid" 2>/dev/null || true
trap - EXIT

cat >"$results/idle.json" <<JSON
{
  "seconds": $(awk -v a="$idle_start" -v b="$idle_end" 'BEGIN {print b - a}'),
  "clk_tck": $clk_tck,
  "vextal_ticks": $((vextal_ticks1 - vextal_ticks0)),
  "sleep_ticks": $((sleep_ticks1 - sleep_ticks0))
}
JSON

python3 "$src/bench/ratios.py" "$results"
