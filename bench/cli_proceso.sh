#!/usr/bin/env bash
# Times `numbrix-cli '2+2'` as a whole process, from start to exit, and prints
# the median. Usage: bench/cli_proceso.sh [path/to/numbrix-cli] [runs]
# Uses hyperfine when it is installed (installing it on Debian when possible);
# otherwise a plain loop timed with date +%s%N.
set -euo pipefail

CLI=${1:-build-bench/numbrix-cli}
RUNS=${2:-50}
EXPR='2+2'

if [[ ! -x "$CLI" ]]; then
    echo "no existe el ejecutable: $CLI" >&2
    exit 2
fi
# A data folder of its own, so the run neither reads nor creates the user's.
DATA=$(mktemp -d)
trap 'rm -rf "$DATA"' EXIT
export XDG_DATA_HOME="$DATA"

salida=$("$CLI" "$EXPR")
if [[ "$salida" != "4" ]]; then
    echo "aviso: numbrix-cli '$EXPR' escribió «$salida», no «4»" >&2
fi

if ! command -v hyperfine >/dev/null 2>&1 && command -v apt-get >/dev/null 2>&1; then
    SUDO=
    [[ $(id -u) -ne 0 ]] && command -v sudo >/dev/null 2>&1 && SUDO="sudo -n"
    $SUDO apt-get install -y -qq hyperfine >/dev/null 2>&1 || true
fi

if command -v hyperfine >/dev/null 2>&1; then
    json=$(mktemp)
    trap 'rm -rf "$DATA" "$json"' EXIT
    hyperfine -N --warmup 5 --runs "$RUNS" --export-json "$json" "$CLI '$EXPR'" >&2
    # The median is in the exported results, in seconds.
    python3 - "$json" <<'EOF'
import json, sys
r = json.load(open(sys.argv[1]))["results"][0]
print(f"mediana: {r['median'] * 1000:.3f} ms  (media {r['mean'] * 1000:.3f} ms, "
      f"mín {r['min'] * 1000:.3f} ms, máx {r['max'] * 1000:.3f} ms, {len(r['times'])} ejecuciones)")
EOF
else
    for _ in 1 2 3 4 5; do "$CLI" "$EXPR" >/dev/null; done  # warm the caches
    tiempos=()
    for ((i = 0; i < RUNS; i++)); do
        t0=$(date +%s%N)
        "$CLI" "$EXPR" >/dev/null
        t1=$(date +%s%N)
        tiempos+=($((t1 - t0)))
    done
    # Median of the sorted times (mean of the middle two for an even count).
    mapfile -t orden < <(printf '%s\n' "${tiempos[@]}" | sort -n)
    n=${#orden[@]}
    if ((n % 2)); then
        med=${orden[n / 2]}
    else
        med=$(((orden[n / 2 - 1] + orden[n / 2]) / 2))
    fi
    printf 'mediana: %d.%03d ms  (mín %d.%03d ms, máx %d.%03d ms, %d ejecuciones, con date)\n' \
        $((med / 1000000)) $((med / 1000 % 1000)) \
        $((orden[0] / 1000000)) $((orden[0] / 1000 % 1000)) \
        $((orden[n - 1] / 1000000)) $((orden[n - 1] / 1000 % 1000)) "$n"
fi
