#!/usr/bin/env bash
# Fuzzes the harnesses of tests/fuzz for SECONDS each, two at a time, and
# merges the inputs that reach new code into tests/fuzz/corpus/NAME/.
#   devtools/fuzz.sh SECONDS [HARNESS...]     (default: every harness)
# Builds with clang-16 (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build-fuzz/. tests/fuzz/dict/NAME.dict, when present, seeds the mutations
# with whole tokens. A crash leaves its input in build-fuzz/fallos/ and the
# script ends with status 1.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { echo "uso: $0 SEGUNDOS [ARNES...]" >&2; exit 2; }
segundos=$1; shift

faltan=()
for p in clang-16 libclang-rt-16-dev cmake ninja-build; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${faltan[@]}" >/dev/null
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-16 -DNUMBRIX_BUILD_GUI=OFF -DNUMBRIX_BUILD_TESTS=OFF \
  -DNUMBRIX_FUZZERS=ON -DNUMBRIX_SANITIZE=fuzzer-no-link,address,undefined >/dev/null
cmake --build build-fuzz -j"$(nproc)"

if [ $# -eq 0 ]; then
  set -- $(ls tests/fuzz/arnes_*.cpp | sed 's|.*/arnes_||; s|\.cpp$||')
fi
mkdir -p build-fuzz/fallos build-fuzz/registros
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

uno() {
  local n=$1 nuevo=build-fuzz/nuevo/$1
  rm -rf "$nuevo"; mkdir -p "$nuevo" "tests/fuzz/corpus/$n"
  local rc=0 dic=()
  [ -f "tests/fuzz/dict/$n.dict" ] && dic=(-dict="tests/fuzz/dict/$n.dict")
  build-fuzz/tests/fuzz/fuzz_"$n" "${dic[@]}" -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/fallos/"$n"- "$nuevo" "tests/fuzz/corpus/$n" \
    >build-fuzz/registros/"$n".log 2>&1 || rc=$?
  build-fuzz/tests/fuzz/fuzz_"$n" -merge=1 "tests/fuzz/corpus/$n" "$nuevo" >>build-fuzz/registros/"$n".log 2>&1 || true
  local runs
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' build-fuzz/registros/"$n".log | grep -o '[0-9]*$' | tail -1)
  echo "$n: ${runs:-?} ejecuciones, $(ls "tests/fuzz/corpus/$n" | wc -l) entradas, estado $rc"
  return $rc
}

fallo=0
while [ $# -gt 0 ]; do
  a=$1; shift
  if [ $# -gt 0 ]; then
    b=$1; shift
    uno "$a" & pa=$!
    uno "$b" & pb=$!
    wait $pa || fallo=1
    wait $pb || fallo=1
  else
    uno "$a" || fallo=1
  fi
done
[ $fallo -eq 0 ] || { echo "fallos en build-fuzz/fallos/ (registros en build-fuzz/registros/)" >&2; exit 1; }
