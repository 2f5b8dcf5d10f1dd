#!/usr/bin/env bash
# Station list refill with 16383 outputs and press-to-wire latency of a Talk button,
# measured in-process (offscreen) by the panel_bench target.
# Usage: bench/panel_timing.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
ninja -C "$build" -j2 panel_bench >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bin/panel_bench" 2>/dev/null
