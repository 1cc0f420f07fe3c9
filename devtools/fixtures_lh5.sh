#!/usr/bin/env bash
# Remakes the lh5 fixtures of tests/support/lh5/: each source SRC beside its
# stream SRC.lh5, compressed by our own lh5 compressor (numbrix-pack lh5),
# whose matches never reach before the start. The tests decode them and
# compare with liblhasa; rerun only when a source changes.
#   devtools/fixtures_lh5.sh [BUILD]   (BUILD: the build folder, build/ unless told)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
ninja -C "$build" numbrix-pack >/dev/null
for f in tests/support/lh5/*; do
  case $f in *.lh5) continue ;; esac
  "$build"/devtools/numbrix-pack lh5 "$f" "$f.lh5"
done
