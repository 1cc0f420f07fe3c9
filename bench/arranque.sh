#!/usr/bin/env bash
# Start-up of the desktop program against a bare Qt window: the time from
# launch until the first window is mapped, under Xvfb, and the peak resident
# memory once it is up. Runs interleaved (bare, numbrix, bare, ...) and prints
# the medians.
# usage: bench/arranque.sh [BUILD_DIR] [RUNS]     (defaults: build-e, 11)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-e}
runs=${2:-11}
[ -x "$build/numbrix" ] || { echo "no $build/numbrix: build the numbrix target first" >&2; exit 2; }
for t in Xvfb xdotool; do command -v $t >/dev/null || { echo "needs $t (apt-get install xvfb xdotool)" >&2; exit 2; }; done

minima="$build/bench/ventana_minima"
mkdir -p "$build/bench"
if [ ! -x "$minima" ] || [ bench/ventana_minima.cpp -nt "$minima" ]; then
  g++ -std=c++20 -O2 -fPIC bench/ventana_minima.cpp -o "$minima" $(pkg-config --cflags --libs Qt6Widgets)
fi

datos=$(mktemp -d)
printf '[Opciones]\nVer=250\n' > "$datos/numbrix.ini"
printf '[OPC]\nUsa=0\nCuenta=4\n' > "$datos/tips.ini"
disp=:$((500 + RANDOM % 400))
Xvfb "$disp" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 & xpid=$!
trap 'kill $xpid 2>/dev/null; rm -rf "$datos"' EXIT
export DISPLAY=$disp
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
kill -0 $xpid 2>/dev/null || { echo "Xvfb did not start on $disp" >&2; exit 2; }

# Prints "first_map_ms main_window_ms peak_kib" for one run of PATTERN PROGRAM
# [ARG...]: the first window of any kind (a splash counts), then the window
# whose title matches PATTERN.
medir() {
  local patron=$1 inicio primero fin pid kib
  shift
  inicio=$(date +%s%N)
  "$@" >/dev/null 2>&1 & pid=$!
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "$* ended before showing a window" >&2; exit 1; }
  done
  primero=$(date +%s%N)
  until xdotool search --onlyvisible --pid "$pid" --name "$patron" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "$* ended before its main window" >&2; exit 1; }
  done
  fin=$(date +%s%N)
  sleep 0.3  # let it settle, then read its peak
  kib=$(awk '/VmHWM/ {print $2}' /proc/$pid/status)
  kill $pid; wait $pid 2>/dev/null || true
  echo $(( (primero - inicio) / 1000000 )) $(( (fin - inicio) / 1000000 )) "$kib"
}

mediana() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

pb=(); pn=(); tb=(); tn=(); mb=(); mn=()
for ((i = 0; i < runs; i++)); do
  read -r p t m < <(medir 'ventana_minima' "$minima"); pb+=("$p"); tb+=("$t"); mb+=("$m")
  read -r p t m < <(medir '^Numbrix 2.7$' "$build/numbrix" --data "$datos"); pn+=("$p"); tn+=("$t"); mn+=("$m")
done
med() { printf '%s\n' "$@" | mediana; }
mpb=$(med "${pb[@]}"); mpn=$(med "${pn[@]}"); mtb=$(med "${tb[@]}"); mtn=$(med "${tn[@]}")
mmb=$(med "${mb[@]}"); mmn=$(med "${mn[@]}")
echo "runs: $runs (interleaved), medians"
echo "bare Qt window: first map ${mpb} ms, main window ${mtb} ms, peak RSS $((mmb / 1024)) MiB"
echo "numbrix:        first map ${mpn} ms (splash), main window ${mtn} ms, peak RSS $((mmn / 1024)) MiB"
echo "main window difference: $((mtn - mtb)) ms (bar: within 100 ms); memory bar: under 90 MiB"
