#!/usr/bin/env bash
# Configures and builds into the given folder; extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$1
shift
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build_dir" --parallel 2
