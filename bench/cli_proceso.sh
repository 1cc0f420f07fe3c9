#!/usr/bin/env bash
# Times `numbrix-cli '2+2'` as a whole process, from start to exit, beside
# /bin/true in the same run, in turn (A B A B ...), and prints both medians and
# their difference; the bar is 3 ms. Exit status 1 above the bar.
#   bench/cli_proceso.sh [path/to/numbrix-cli] [pairs]
# With hyperfine installed it also prints hyperfine's figures for the two.
set -euo pipefail

CLI=${1:-build/numbrix-cli}
PARES=${2:-200}
EXPR='2+2'
LIMITE_US=3000

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

# Microseconds now, in T: bash's own clock (no process started, so nothing
# but the timed command is in the figure), else date.
ahora() {
    if [[ -n ${EPOCHREALTIME:-} ]]; then
        T=${EPOCHREALTIME/[.,]/}
        T=$((10#$T))
    else
        T=$(($(date +%s%N) / 1000))
    fi
}

mediana() {
    local -a orden
    mapfile -t orden < <(printf '%s\n' "$@" | sort -n)
    local n=${#orden[@]}
    if ((n % 2)); then echo "${orden[n / 2]}"; else echo $(((orden[n / 2 - 1] + orden[n / 2]) / 2)); fi
}

ms() { printf '%d.%03d ms' $(($1 / 1000)) $(($1 % 1000)); }

for _ in 1 2 3 4 5; do "$CLI" "$EXPR" >/dev/null; /bin/true; done  # warm the caches
a=() b=()
for ((i = 0; i < PARES; i++)); do
    ahora; t0=$T; "$CLI" "$EXPR" >/dev/null
    ahora; t1=$T; /bin/true
    ahora; t2=$T
    a+=($((t1 - t0))) b+=($((t2 - t1)))
done
# The clock's own cost is in both columns alike and cancels in the difference.
ma=$(mediana "${a[@]}") mb=$(mediana "${b[@]}")
dif=$((ma - mb))
echo "numbrix-cli $EXPR: mediana $(ms "$ma"); /bin/true: mediana $(ms "$mb"); diferencia $(ms "$dif") ($PARES pares A B)"

if command -v hyperfine >/dev/null 2>&1; then
    hyperfine -N --warmup 5 --runs "$PARES" "$CLI '$EXPR'" /bin/true >&2
fi

if ((dif > LIMITE_US)); then
    echo "por encima del límite de $(ms $LIMITE_US)" >&2
    exit 1
fi
