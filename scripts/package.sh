#!/usr/bin/env bash
# Sets up a fresh machine and builds the Debian package
# build-package/tolvane_<version>_amd64.deb: a Release build of the program
# and the engine, packaged by CPack. Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=build-package
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BUILD_TESTS=OFF "$@"
cmake --build "$build_dir" --parallel 2
(cd "$build_dir" && cpack -G DEB)
ls -l "$build_dir"/tolvane_*_amd64.deb
