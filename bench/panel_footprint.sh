#!/usr/bin/env bash
# The panel's footprint against switchersim over loopback: CPU and memory while idle
# and polled once a second for 30 s, then 20 disconnect and reconnect cycles.
# Usage: bench/panel_footprint.sh [BUILD_DIR]   (default: build)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
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

n=120
while [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

"$build/bin/switchersim" --port 0 --poll-ms 1000 <"$fifo" >"$work/sim.log" 2>&1 &
pids+=($!)
exec 3>"$fifo"
for _ in $(seq 100); do grep -q '^listening' "$work/sim.log" && break; sleep 0.1; done
port="$(sed -n '1s/.*:\([0-9]*\)$/\1/p' "$work/sim.log")"

cp "$build/bin/keyvane" "$work/"
printf '[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=%s\r\n[CONFIG]\r\nRefresh Rate=1\r\n' "$port" \
    >"$work/zebntpnl.ini"
DISPLAY=":$n" "$work/keyvane" >/dev/null 2>&1 &
panel=$!
pids+=("$panel")

stats() {  # the server's one-line stats, after asking for them
    local before
    before="$(grep -c '^stats' "$work/sim.log" || true)"
    echo stats >&3
    for _ in $(seq 50); do
        [ "$(grep -c '^stats' "$work/sim.log" || true)" -gt "$before" ] && break
        sleep 0.1
    done
    grep '^stats' "$work/sim.log" | tail -1
}
panels() { stats | sed -n 's/.*panels=\([0-9]*\).*/\1/p'; }
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$panel/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$panel/stat"; }

for _ in $(seq 100); do [ "$(panels)" = 1 ] && break; sleep 0.2; done
sleep 5  # tables in, steady state

hz="$(getconf CLK_TCK)"
t0="$(cpu_ticks)"
peak=0
for _ in $(seq 30); do
    sleep 1
    r="$(rss_kb)"
    [ "$r" -gt "$peak" ] && peak="$r"
done
t1="$(cpu_ticks)"
cpu="$(awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN {printf "%.2f", 100 * d / hz / 30}')"
echo "idle, polled once a second, 30 s: CPU ${cpu} % of one core, peak RSS $((peak / 1024)) MB"

before="$(rss_kb)"
for cycle in $(seq 20); do
    echo drop >&3
    sleep 0.3
    ok=0
    for _ in $(seq 100); do
        if [ "$(panels)" = 1 ]; then ok=1; break; fi
        sleep 0.1
    done
    [ "$ok" = 1 ] || { echo "cycle $cycle: the panel did not reconnect" >&2; exit 1; }
done
sleep 3
after="$(rss_kb)"
echo "20 drop/reconnect cycles: sessions on the server $(panels), RSS ${before} kB -> ${after} kB"
echo "final: $(stats)"
