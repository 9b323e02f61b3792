#!/usr/bin/env bash
# Start-up benchmark: how long the console takes from process start until its
# window is mapped, the CPU time it has used by then, and its resident memory
# 3 s later, side by side with a trivial Qt window of the same size (built here)
# in interleaved rounds on one virtual display. The console starts with the fake
# keyboard, once on an empty data directory (the first start, which seeds it) and
# once more on the same, now seeded, directory (a warm start).
#
#   bench/app/bench_startup.sh [rounds] [build-dir]
#
#   ORVANTA_BENCH_COMPARE=DIR   also measure DIR/bin/orvanta-console in the same
#                               rounds (an earlier build, say)
#   ORVANTA_BENCH_KEYBOARD=none start without a keyboard: no start-up reports and
#                               so none of their pauses
#
# Prints the medians. Wall times depend on the machine's load; the CPU times
# much less so.
set -euo pipefail
rounds="${1:-9}"
build="$(cd "${2:-$(dirname "$0")/../../build}" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
fake="$build/lib/liborvanta_fakehid.so"
[ -x "$build/bin/orvanta-console" ] || { echo "build the console first (scripts/build)"; exit 1; }

tools="$build/bench/app"
mkdir -p "$tools"
cc -O2 "$here/window_watch.c" -o "$tools/window_watch" -lX11
# shellcheck disable=SC2046
g++ -O2 -fPIC "$here/trivial_window.cpp" -o "$tools/trivial_window" \
  $(pkg-config --cflags --libs Qt5Widgets)

for n in $(seq 90 -1 60); do
  [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ] && break
done
Xvfb ":$n" -screen 0 1280x900x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work="$(mktemp -d)"
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=":$n"
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

names=(trivial first warm)
consoles=("$build")
if [ -n "${ORVANTA_BENCH_COMPARE:-}" ]; then
  consoles+=("$(cd "$ORVANTA_BENCH_COMPARE" && pwd)")
  names+=(compare-first compare-warm)
fi
declare -A wall cpu rss
record() { # name "wall cpu rss"
  local w c r
  read -r w c r <<<"$2"
  wall[$1]+="$w "; cpu[$1]+="$c "; rss[$1]+="$r "
}
console() { # build-dir data-dir port
  LD_PRELOAD="$fake" ORVANTA_FAKEHID_DEVICES="${ORVANTA_BENCH_KEYBOARD:-keyboard}" \
    ORVANTA_UPDATE_URL=http://127.0.0.1:9 \
    "$tools/window_watch" "ORVANTA RGB" 3 "$1/bin/orvanta-console" --data-dir "$2" --port "$3" \
    --no-update-check 2>/dev/null
}

port=21000
for i in $(seq 1 "$rounds"); do
  # The trivial window runs before the consoles in one round, after them in the next.
  if [ $((i % 2)) = 1 ]; then record trivial "$("$tools/window_watch" "Trivial Qt window" 3 "$tools/trivial_window")"; fi
  for c in "${!consoles[@]}"; do
    prefix=""; [ "$c" = 0 ] || prefix="compare-"
    data="$work/data$i-$c"
    record "${prefix}first" "$(console "${consoles[$c]}" "$data" $((port++)))"
    record "${prefix}warm" "$(console "${consoles[$c]}" "$data" $((port++)))"
  done
  if [ $((i % 2)) = 0 ]; then record trivial "$("$tools/window_watch" "Trivial Qt window" 3 "$tools/trivial_window")"; fi
done

median() { printf '%s\n' $1 | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
declare -A mw mc mr
echo "rounds: $rounds (medians; keyboard: ${ORVANTA_BENCH_KEYBOARD:-fake keyboard})"
printf '%-14s %16s %16s %18s\n' "" "to window (ms)" "CPU by then (ms)" "memory 3 s (MB)"
for name in "${names[@]}"; do
  mw[$name]=$(median "${wall[$name]}"); mc[$name]=$(median "${cpu[$name]}")
  mr[$name]=$(awk -v k="$(median "${rss[$name]}")" 'BEGIN {printf "%.1f", k / 1024}')
  printf '%-14s %16s %16s %18s\n' "$name" "${mw[$name]}" "${mc[$name]}" "${mr[$name]}"
done
for p in "" compare-; do
  [ -n "${wall[${p}warm]:-}" ] || continue
  awk -v w="${mw[${p}warm]}" -v f="${mw[${p}first]}" -v t="${mw[trivial]}" \
      -v r="${mr[${p}warm]}" -v rt="${mr[trivial]}" -v p="${p:-console }" 'BEGIN {
    printf "%swarm: %.2f x the trivial window, %+.0f ms; memory %+.1f MB; first start %+.0f ms over warm\n",
           p, w / t, w - t, r - rt, f - w }'
done
