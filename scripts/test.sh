#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs the whole test suite:
# all tests, then the engine's tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

bash scripts/build.sh build -DTOLVANE_WERROR=ON
(cd build && ctest --output-on-failure --timeout 900)

bash scripts/build.sh build-sanitize -DTOLVANE_WERROR=ON -DVORLIK_SANITIZE=ON -DTOLVANE_BUILD_APP=OFF
(cd build-sanitize && ctest --output-on-failure --timeout 900 -L engine)

# The engine built for Windows: the 32-bit DLL's exports, tests under Wine.
bash scripts/test-windows.sh
