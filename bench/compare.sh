#!/bin/bash
# Compares the whole run with writing the same output bytes with cat, for the built-in scenario
# and for a 1,000,000 m route, and prints each ratio and the peak memory.
# Usage: bench/compare.sh   (from the project's root; builds the default preset first)
set -euo pipefail
cd "$(dirname "$0")/.."
command -v hyperfine >/dev/null && [ -x /usr/bin/time ] || { echo "compare: installing hyperfine and time" >&2; apt-get install -y -qq hyperfine time >/dev/null; }
cmake --preset default >/dev/null && cmake --build --preset default >/dev/null
exe=$PWD/build/default/scenario-compiler

work=$(mktemp -d "${TMPDIR:-/tmp}/sc-compare-XXXXXX")
trap 'rm -rf "$work"' EXIT

# The long route's sources: curves of each class every 5 km, flat, one speed.
{
  printf '[generale]\r\nlunghezza percorso,    1000000\r\n[curve]\r\n'
  awk 'BEGIN { c = 1; r = 1; for (s = 2000; s + 1500 < 1000000; s += 5000) {
         printf "%s%d,  %d,  1500\r\n", (r ? "curvad" : "curvas"), c, s; c = c % 6 + 1; r = !r } }'
  printf '[pendenze]\r\npendenza,  0,   0\r\n[fine]\r\n'
} > "$work/Lungo_linea.txt"
printf '[generale]\r\nnumero vetture,    8\r\n[aderenze]\r\naderenza,   0,    100\r\n[vel_limite]\r\nvelocita,   0,   150\r\n[fine]\r\n' > "$work/Lungo_1-.txt"

mkdir -p "$work/builtin-ref" "$work/builtin-run" "$work/builtin-cat" "$work/long-ref" "$work/long-run" "$work/long-cat"
"$exe" --out "$work/builtin-ref" 2>/dev/null
"$exe" compile "$work/Lungo_linea.txt" "$work/Lungo_1-.txt" --out "$work/long-ref" 2>/dev/null

compare() {  # name, run command, reference folder, cat folder
  local name=$1 run=$2 ref=$3 out=$4
  local cat_cmd="for f in $ref/*; do cat \"\$f\" > $out/\${f##*/}; done"
  hyperfine --style basic --warmup 3 --runs 30 --export-json "$work/$name.json" "$run" "$cat_cmd" >/dev/null
  local ratio
  ratio=$(python3 -c "import json,sys; r=json.load(open('$work/$name.json'))['results']; print('%.2f' % (r[0]['mean']/r[1]['mean']))")
  local run_ms cat_ms
  run_ms=$(python3 -c "import json; r=json.load(open('$work/$name.json'))['results']; print('%.1f' % (r[0]['mean']*1000))")
  cat_ms=$(python3 -c "import json; r=json.load(open('$work/$name.json'))['results']; print('%.1f' % (r[1]['mean']*1000))")
  local peak
  /usr/bin/time -v -o "$work/$name.time" sh -c "$run" >/dev/null 2>&1
  peak=$(awk -F': ' '/Maximum resident/ {print $2}' "$work/$name.time")
  local bytes
  bytes=$(cat "$ref"/* | wc -c)
  printf '%-8s run %8.1f ms   cat %8.1f ms   ratio %5s   output %9d bytes   peak memory %7d kB\n' \
    "$name" "$run_ms" "$cat_ms" "$ratio" "$bytes" "$peak"
}

compare builtin "$exe --out $work/builtin-run 2>/dev/null" "$work/builtin-ref" "$work/builtin-cat"
compare long "$exe compile $work/Lungo_linea.txt $work/Lungo_1-.txt --out $work/long-run 2>/dev/null" "$work/long-ref" "$work/long-cat"
echo "route plan file of the long route: $(stat -c %s "$work/long-ref/Lungo_linea.dat") bytes"
