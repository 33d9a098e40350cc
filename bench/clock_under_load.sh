#!/usr/bin/env bash
# How well every searching level keeps its time cap with both cores busy: two busy loops run
# beside a short match at the same priority, and the match's timing table gives each level's
# median, 99th percentile and worst move against its cap. Figures: docs/STRENGTH.md.
#
#   bench/clock_under_load.sh [build-dir] [games per pairing]
#
# build-dir (default build-release beside the sources) must hold a Release vextal_match.
set -euo pipefail

src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$src/build-release}"
games="${2:-28}"

busy=()
stop_busy() {
  for pid in "${busy[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
}
trap stop_busy EXIT
for _ in 1 2; do
  (while :; do :; done) &
  busy+=("$!")
done

cd "$src"
"$build/tools/match/vextal_match" --games "$games" --seed 2 \
  --pairs good:classic,strong:good,master:strong,perfect:master,perfect:classic
