#!/usr/bin/env bash
# Key down of a hotkey to its 9 bytes at the server, beside a mouse press on the same Talk
# button, both through a private X server (Xvfb) as real input would come.
# Usage: bench/hotkey_timing.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
ninja -C "$build" -j2 hotkey_bench >/dev/null
exec 3< <(Xvfb -displayfd 1 -noreset -screen 0 800x600x24 -nolisten tcp 2>/dev/null)
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r -u 3 display
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$build/bin/hotkey_bench" 2>/dev/null
