#!/usr/bin/env bash
# Sets up a fresh machine, builds Tolvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
if [[ -x build/app/tolvane ]]; then
    exec build/app/tolvane "$@"
fi
echo "Built the engine (build/engine/libvorlik.so); the windowed program is not part of this build yet."
