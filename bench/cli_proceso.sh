#!/usr/bin/env bash
# Times `numbrix-cli '2+2'` as a whole process, from start to exit, beside
# /bin/true in the same run, in turn (A B A B ...): the medians of the wall
# time and of the CPU time (user + system, the kernel's own count for each
# child) and their differences. The bar: 3 ms of wall time; exit status 1
# above it. On a loaded machine read the CPU figures, which load stretches
# far less.
#   bench/cli_proceso.sh [path/to/numbrix-cli] [pairs]
# With hyperfine installed it also prints hyperfine's figures for the two.
set -euo pipefail

CLI=${1:-build/numbrix-cli}
PARES=${2:-200}
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

estado=0
python3 - "$CLI" "$EXPR" "$PARES" <<'EOF_PY' || estado=$?
import os, statistics, sys, time
cli, expr, pares = sys.argv[1], sys.argv[2], int(sys.argv[3])
nulo = os.open(os.devnull, os.O_WRONLY)

def una(argv):
    """Wall and CPU milliseconds of one run, output thrown away."""
    t0 = time.perf_counter_ns()
    pid = os.posix_spawn(argv[0], argv, os.environ, file_actions=[(os.POSIX_SPAWN_DUP2, nulo, 1)])
    _, _, uso = os.wait4(pid, 0)
    return (time.perf_counter_ns() - t0) / 1e6, (uso.ru_utime + uso.ru_stime) * 1e3

a, b = [cli, expr], ["/bin/true"]
for _ in range(5):  # warm the caches
    una(a), una(b)
fa, fb = [], []
for _ in range(pares):
    fa.append(una(a))
    fb.append(una(b))
med = lambda xs, k: statistics.median(x[k] for x in xs)
for k, nombre in ((0, "reloj"), (1, "CPU")):
    print(f"{nombre:5}: numbrix-cli {expr} {med(fa, k):.3f} ms, /bin/true {med(fb, k):.3f} ms, "
          f"diferencia {med(fa, k) - med(fb, k):.3f} ms (medianas de {pares} pares A B)")
sys.exit(1 if med(fa, 0) - med(fb, 0) > 3.0 else 0)
EOF_PY

if command -v hyperfine >/dev/null 2>&1; then
    hyperfine -N --warmup 5 --runs "$PARES" "$CLI '$EXPR'" /bin/true >&2
fi
[[ $estado -eq 0 ]] || echo "por encima del límite de 3 ms" >&2
exit $estado
