#!/usr/bin/env bash
# Installs what is missing (Debian), builds Release and starts Numbrix, the
# desktop calculator. Arguments go to the program (e.g. --data DIR).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
numbrix_install_deps run
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUMBRIX_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)" --target numbrix numbrix-cli
exec build-release/numbrix "$@"
