#!/usr/bin/env bash
# Installs what is missing (Debian), builds Release and starts Numbrix.
# Until the desktop window exists this is numbrix-cli reading expressions
# from the terminal, one per line.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
numbrix_install_deps run
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUMBRIX_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)" --target numbrix-cli
echo "Numbrix: escriba una expresión por línea (Ctrl+D para salir)." >&2
exec build-release/numbrix-cli "$@"
