#!/usr/bin/env bash
# The control API's figures beside the mouse's: press-to-wire latency (in-process, offscreen,
# remote_bench and panel_bench), then the idle CPU of the real panel with the API on and one
# WebSocket listening, read from /proc/PID/stat over 30 s (SECONDS to change).
# Usage: bench/remote_press.sh [BUILD_DIR] [SECONDS]   (default: build 30)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
seconds="${2:-30}"
ninja -C "$build" -j2 remote_bench panel_bench keyvane switchersim >/dev/null
export QT_QPA_PLATFORM=offscreen
"$build/bin/remote_bench" 2>/dev/null | grep -v '^control:'
"$build/bin/panel_bench" 2>/dev/null | grep 'press to'

work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

"$build/bin/switchersim" --port 0 >"$work/sim.out" &
pids+=($!)
for _ in $(seq 50); do grep -q 'listening on' "$work/sim.out" && break; sleep 0.1; done
sim_port="$(sed -n 's/^listening on 127.0.0.1:\([0-9]*\).*/\1/p' "$work/sim.out")"
printf '[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=%s\r\n' "$sim_port" >"$work/zebntpnl.ini"
"$build/bin/keyvane" --config "$work" --control-port 0 >"$work/panel.out" 2>/dev/null &
panel=$!
pids+=($panel)
for _ in $(seq 100); do grep -q '^control:' "$work/panel.out" && break; sleep 0.1; done
port="$(sed -n 's|^control: http://127.0.0.1:\([0-9]*\)/|\1|p' "$work/panel.out")"
[ -n "$port" ] || { echo "remote_press: the panel did not start its control API" >&2; exit 1; }

# One WebSocket client that listens, answering only the panel's pings.
python3 - "$port" "$(cat "$work/control-token")" "$seconds" <<'PY' &
import os, socket, struct, sys, time
port, token, seconds = int(sys.argv[1]), sys.argv[2], float(sys.argv[3])
s = socket.create_connection(("127.0.0.1", port))
s.sendall((f"GET /v1/events HTTP/1.1\r\nHost: 127.0.0.1:{port}\r\nUpgrade: websocket\r\n"
           f"Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
           f"Sec-WebSocket-Version: 13\r\nAuthorization: Bearer {token}\r\n\r\n").encode())
data = b""
while b"\r\n\r\n" not in data:
    data += s.recv(4096)
head, data = data.split(b"\r\n\r\n", 1)
if b" 101 " not in head.split(b"\r\n")[0]:
    sys.exit("remote_press: the WebSocket was refused: " + head.decode(errors="replace"))
s.settimeout(1.0)
end = time.monotonic() + seconds + 5
while time.monotonic() < end:
    try:
        got = s.recv(65536)
        if not got:
            sys.exit("remote_press: the panel closed the WebSocket")
        data += got
    except socket.timeout:
        pass
    while len(data) >= 2:
        size, at = data[1] & 0x7F, 2
        if size >= 126:
            at = 4 if size == 126 else 10
            if len(data) < at:
                break
            size = struct.unpack(">H" if at == 4 else ">Q", data[2:at])[0]
        if len(data) < at + size:
            break
        opcode, payload, data = data[0] & 0x0F, data[at:at + size], data[at + size:]
        if opcode == 0x9:  # ping: the pong, masked as a client's frames are
            mask = os.urandom(4)
            s.sendall(bytes([0x8A, 0x80 | len(payload)]) + mask +
                      bytes(b ^ mask[i % 4] for i, b in enumerate(payload)))
PY
ws=$!
pids+=($ws)
sleep 2  # connected, its first panel message sent

ticks() { awk '{print $14 + $15}' "/proc/$panel/stat"; }
hz="$(getconf CLK_TCK)"
before="$(ticks)"
sleep "$seconds"
after="$(ticks)"
kill -0 "$ws" 2>/dev/null || { echo "remote_press: the WebSocket client ended early" >&2; exit 1; }
awk -v t="$((after - before))" -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "idle CPU, API on, one WebSocket listening, %d s: %.2f %% of a core\n", s, 100 * t / hz / s }'
