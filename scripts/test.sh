#!/usr/bin/env bash
# Installs what Tavrel needs, builds it and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)"
