#!/bin/bash
# Builds the fuzz target with clang and runs it for SECONDS (default 60) over a corpus seeded
# with the built-in sources. A finding is left in build/fuzz/artifacts/ and the script fails;
# copy the input into fuzz/regressions/ once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
corpus=build/fuzz/corpus
mkdir -p "$corpus" build/fuzz/artifacts
seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
build/fuzz/scenario-compiler export --out "$seeds" >/dev/null
line="$seeds/Zenvro_Quarvel_linea.txt"
train="$seeds/Zenvro_Quarvel_2417-.txt"
{ printf '\x00'; cat "$line"; } > "$corpus/seed-line"
{ printf '\x05'; cat "$train"; } > "$corpus/seed-train"
{ printf '\x06'; cat "$line"; printf '\n####\n'; cat "$train"; } > "$corpus/seed-both"
cp fuzz/regressions/* "$corpus/" 2>/dev/null || true
rm -f "$corpus/README"
ASAN_OPTIONS=detect_leaks=1 build/fuzz/fuzz/compile_fuzzer "$corpus" \
  -max_total_time="$seconds" -max_len=16384 -timeout=20 -rss_limit_mb=4096 \
  -artifact_prefix=build/fuzz/artifacts/ -print_final_stats=1
