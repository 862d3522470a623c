#!/usr/bin/env bash
# Installs what Tavrel needs, builds it, writes a sample SD-card folder of
# recordings into sample/ and starts the viewer from the repository folder,
# where its settings file Orlin.ini then lives.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh build

if [ ! -d sample ]; then
  build/tools/samplegen/tavrel-samplegen folder sample
fi
# The web view's browser refuses to run as root with its sandbox on.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
exec build/app/tavrel
