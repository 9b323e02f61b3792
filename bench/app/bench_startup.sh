#!/usr/bin/env bash
# Start-up benchmark: time from process start until the console's window is on
# screen, and its resident memory once idle, with the fake keyboard, on a
# virtual display. Prints the median of several runs.
#   bench/app/bench_startup.sh [runs] [build-dir]
set -euo pipefail
runs="${1:-7}"
build="$(cd "${2:-$(dirname "$0")/../../build}" && pwd)"
exe="$build/bin/orvanta-console"
fake="$build/lib/liborvanta_fakehid.so"
[ -x "$exe" ] || { echo "build the console first (scripts/build)"; exit 1; }

for n in $(seq 90 -1 60); do
  [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ] && break
done
Xvfb ":$n" -screen 0 1280x900x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$n"
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

work="$(mktemp -d)"
shown=(); rss=()
for i in $(seq 1 "$runs"); do
  data="$work/data$i"
  # The first start of a data directory also copies the data tree; measure a
  # normal start by seeding it once beforehand.
  LD_PRELOAD="$fake" ORVANTA_UPDATE_URL=http://127.0.0.1:9 QT_QPA_PLATFORM=offscreen \
    timeout 5 "$exe" --data-dir "$data" --port $((20000 + i)) --no-update-check >/dev/null 2>&1 &
  sleep 1.5; kill %2 2>/dev/null || true; wait %2 2>/dev/null || true
  start=$(date +%s%N)
  LD_PRELOAD="$fake" ORVANTA_UPDATE_URL=http://127.0.0.1:9 \
    "$exe" --data-dir "$data" --port $((20000 + i)) --no-update-check >/dev/null 2>&1 &
  pid=$!
  # xdotool's own --sync waits in half-second steps; poll finely instead.
  until xdotool search --onlyvisible --name "ORVANTA RGB" >/dev/null 2>&1; do sleep 0.005; done
  end=$(date +%s%N)
  shown+=($(( (end - start) / 1000000 )))
  sleep 2
  rss+=($(awk '/VmRSS/ {print $2}' "/proc/$pid/status"))
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
rm -rf "$work"

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "runs: $runs"
echo "start to window shown (ms): ${shown[*]}  median $(median "${shown[@]}")"
echo "idle resident memory (KiB): ${rss[*]}  median $(median "${rss[@]}")"
echo "(the keyboard asks for a 100 ms pause after the start-up report, included above)"
