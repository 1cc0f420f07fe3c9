#!/usr/bin/env bash
# Installs what is missing (Debian), builds everything with the tests and the
# benchmarks, and runs every test with CTest.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
numbrix_install_deps test

BUILD=${BUILD_DIR:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DNUMBRIX_BUILD_TESTS=ON -DNUMBRIX_BUILD_BENCH=ON "$@"
cmake --build "$BUILD" -j"$(nproc)"
ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)"
