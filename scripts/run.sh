#!/usr/bin/env bash
# Installs what Tavrel needs, builds it, writes a sample SD-card folder of
# recordings into sample/ and shows what the viewer finds in it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh build

if [ ! -d sample ]; then
  build/tools/samplegen/tavrel-samplegen folder sample
fi
build/tools/cli/tavrel-cli scan sample | python3 -m json.tool
