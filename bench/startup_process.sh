#!/usr/bin/env bash
# The whole program started on an X server, against a bare Qt Widgets program with a menu bar
# and a label built beside it: each launched N times, alternately, under one Xvfb of its own.
# For each launch `launch_watch` (LaunchWatch.cpp) reports the time to the window's map and to
# its first drawing, the CPU time, resident memory and shared objects at the map, memory and
# objects a second later and 5 s after the launch; the medians and the ratios to the bare
# program are printed at the end, and the shared objects each program holds at 5 s are listed in
# <build-dir>/bench/startup/objects-N.txt (N: the program's place in the alternation).
#
#   bench/startup_process.sh [--no-build] [-n N] [-l MS] [build-dir] [-- other programs...]
#
# -l moves the late reading to MS after the launch (default 5000).
# build-dir defaults to build-bench beside the sources (configured Release with the benchmarks,
# as bench/run.sh does). Programs after -- are measured in the same alternation, e.g. another
# build of vextal. Raw lines go to <build-dir>/bench/startup/runs.txt. Installs nothing; it needs
# Xvfb (Debian package xvfb), the xcb headers (libxcb1-dev) and python3.
set -euo pipefail

src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build=""
do_build=1
runs=20
late=5000
others=()
while [ $# -gt 0 ]; do
  case "$1" in
    --no-build) do_build=0 ;;
    -n) runs="$2"; shift ;;
    -l) late="$2"; shift ;;
    -h|--help) sed -n 2,16p "$0"; exit 0 ;;
    --) shift; others=("$@"); break ;;
    *) build="$1" ;;
  esac
  shift
done
build="${build:-$src/build-bench}"

missing=()
command -v Xvfb >/dev/null || missing+=("xvfb (Xvfb)")
command -v python3 >/dev/null || missing+=("python3")
if [ ${#missing[@]} -gt 0 ]; then
  echo "startup_process.sh needs: ${missing[*]}; install them, e.g. apt-get install xvfb" >&2
  exit 1
fi

if [ "$do_build" = 1 ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXTAL_SANITIZE=OFF \
    -DVEXTAL_TESTS=OFF -DVEXTAL_BENCH=ON >/dev/null
  cmake --build "$build" -j2 --target vextal vextal_sounds bench_bare_menu_window launch_watch
fi
watch="$build/bench/launch_watch"
bare="$build/bench/bench_bare_menu_window"
programs=("$bare" "$build/bin/vextal" "${others[@]}")

out="$build/bench/startup"
mkdir -p "$out" "$build/bench/results"
# One benchmark run at a time per tree, shared with bench/run.sh: both load the same two cores.
exec 9>"$build/bench/results/.lock"
if ! flock -n 9; then
  echo "another benchmark run is using $build; waiting for it to finish"
  flock 9
fi

# An X server of our own on a free display; -noreset keeps it up between the clients.
runtime="$(mktemp -d)"
exec 8<> <(:)
Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$runtime"' EXIT
read -r -t 10 display <&8 || { echo "Xvfb did not start, see $out/xvfb.log" >&2; exit 1; }

# The same environment for every program: windows on that server, and SDL's dummy driver, so the
# sound opens the same way on every machine (a real device adds its own, varying cost).
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$runtime"
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY QT_SCALE_FACTOR

# A round each first, not counted: fills the page cache and the font cache.
for program in "${programs[@]}"; do
  "$watch" --settle 0 --late 0 "$program" >/dev/null
done
: >"$out/runs.txt"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((i = 0; i < runs; i++)); do
  for program in "${programs[@]}"; do
    printf '%s %s\n' "$program" "$("$watch" --late "$late" "$program")" >>"$out/runs.txt"
  done
done
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"
place=0
for program in "${programs[@]}"; do
  "$watch" --late "$late" --objects "$out/objects-$place.txt" "$program" >/dev/null
  echo "objects-$place.txt: $program"
  place=$((place + 1))
done

for program in "${programs[@]}"; do
  printf '%s linked=%s\n' "$program" "$(ldd "$program" | wc -l)"
done >"$out/linked.txt"
python3 "$src/bench/startup_summary.py" "$out/runs.txt" "$out/linked.txt"
