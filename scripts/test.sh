#!/usr/bin/env bash
# Installs what Tavrel needs, builds it and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh build
# Tests that need real windows (video output, the web view) find an X server
# here; the others run offscreen or without a display at all.
xvfb-run -a -s "-screen 0 1920x1080x24" \
  ctest --test-dir build --output-on-failure -j "$(nproc)"
