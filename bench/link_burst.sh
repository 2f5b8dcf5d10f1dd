#!/usr/bin/env bash
# Burst reply latency against switchersim over loopback: 1,500 one-output maps
# (15 bytes each, 22.5 kB) and then a type request, timed by the server from the
# burst's first byte to the panel's type reply. Polled once a second, Time Out 3 s.
# Usage: bench/link_burst.sh [BUILD_DIR] [RUNS]   (defaults: build, 3)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
runs="${2:-3}"
work="$(mktemp -d)"
fifo="$work/sim.in"
mkfifo "$fifo"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    exec 3>&- 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

n=140
while [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

"$build/bin/switchersim" --port 0 --poll-ms 1000 --type-ms 0 <"$fifo" >"$work/sim.log" 2>&1 &
pids+=($!)
exec 3>"$fifo"
for _ in $(seq 100); do grep -q '^listening' "$work/sim.log" && break; sleep 0.1; done
port="$(sed -n '1s/.*:\([0-9]*\)$/\1/p' "$work/sim.log")"

cp "$build/bin/keyvane" "$work/"
printf '[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=%s\r\n[CONFIG]\r\nRefresh Rate=1\r\nTime Out=3\r\n' \
    "$port" >"$work/zebntpnl.ini"
DISPLAY=":$n" "$work/keyvane" >/dev/null 2>&1 &
pids+=($!)

count() { grep -c "$1" "$work/sim.log" || true; }
panels() {
    local before
    before="$(count '^stats')"
    echo stats >&3
    for _ in $(seq 50); do
        [ "$(count '^stats')" -gt "$before" ] && break
        sleep 0.1
    done
    grep '^stats' "$work/sim.log" | tail -1 | sed -n 's/.*panels=\([0-9]*\).*/\1/p'
}

for _ in $(seq 100); do [ "$(panels)" = 1 ] && break; sleep 0.2; done
# Every output holds one input, so every one-output map carries one entry.
for s in $(seq 0 15); do echo "call $s $(((s + 1) % 16))" >&3; done
sleep 3

for run in $(seq "$runs"); do
    before="$(count '^burst ')"
    echo "burst 1500" >&3
    for _ in $(seq 1200); do
        [ "$(count '^burst ')" -gt "$before" ] && break
        sleep 0.1
    done
    line="$(grep '^burst ' "$work/sim.log" | tail -1)"
    [ "$(count '^burst ')" -gt "$before" ] || line="no type reply within 120 s"
    echo "run $run: $line"
    for _ in $(seq 100); do [ "$(panels)" = 1 ] && break; sleep 0.2; done
    sleep 3
done
