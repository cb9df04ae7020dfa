#!/bin/bash
# Builds the fuzz targets with clang and runs the compiler's (the lint and the compiler) for
# SECONDS (default 60) over the corpus in build/fuzz/corpus, seeded with the built-in sources and
# fuzz/seeds/, then runs every input of the corpus once more under the same AddressSanitizer and
# UndefinedBehaviorSanitizer build. The language server's target then runs for LSP_SECONDS
# (default 20) over build/fuzz/lsp_corpus, seeded with fuzz/lsp_seeds/, and its corpus once more.
# Further arguments go to libFuzzer as they are: a long unattended run that collects every
# finding instead of stopping at the first is `fuzz/run.sh 3600 -fork=1 -ignore_crashes=1
# -ignore_timeouts=1 -ignore_ooms=1`.
#
# The fuzz preset leaves comparisons untraced (-fno-sanitize-coverage=trace-cmp): the sources are
# text, so an integer comparison only teaches the fuzzer binary bytes it cannot use, while the
# tracing cost half of every run. The keywords come from fuzz/keywords.dict instead, and the
# string comparisons the sanitizers intercept still feed the fuzzer.
#
# An input slower than the timeout or greedier than the memory limit is a finding like a crash:
# the compiler reads in linear time and memory. A finding is left in build/fuzz/artifacts/ and
# the script fails; copy the input into fuzz/regressions/ once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
lsp_seconds=${LSP_SECONDS:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
fuzzer=build/fuzz/fuzz/compile_fuzzer
corpus=build/fuzz/corpus
mkdir -p "$corpus" build/fuzz/artifacts

# The built-in sources, as the line file, the train file and both, without the plan (the first
# byte is the harness's mode, see fuzz/harness.h): a plan has a point for every metre, and the
# built-in route's 89,000 of them make every input that keeps it about six times slower. The
# plan is fuzzed from the short routes in fuzz/seeds/.
seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
build/fuzz/scenario-compiler export --out "$seeds" >/dev/null
line="$seeds/Zenvro_Quarvel_linea.txt"
train="$seeds/Zenvro_Quarvel_2417-.txt"
{ printf '\x00'; cat "$line"; } > "$corpus/seed-line"
{ printf '\x01'; cat "$train"; } > "$corpus/seed-train"
{ printf '\x02'; cat "$line"; printf '\n####\n'; cat "$train"; } > "$corpus/seed-both"
# A line of 65,536 empty fields in either file. libFuzzer grows an input only while it adds
# coverage, so it never builds so long a line itself; with these, a reading that is not linear
# in a line's length runs into the timeout.
commas() { head -c 65536 /dev/zero | tr '\0' ','; }
{ printf '\x00[generale]\nlunghezza percorso, 1000\npendenza, 0, 0'; commas; printf '\n'; } \
  > "$corpus/seed-long-line"
{ printf '\x01[generale]\nvelocita, 0, 30'; commas; printf '\n'; } > "$corpus/seed-long-train-line"
# 2,000 lines of different short notes in either file: the lint's did-you-mean once took about
# 2 ms a line, and with these a lint whose cost is not bounded runs into the timeout too. More
# lines would slow every input the fuzzer grows from them.
notes() { seq 2000 | sed 's/.*/nota & di una lunga serie di note/'; }
{ printf '\x00[generale]\nlunghezza percorso, 1000\n[pendenze]\n'; notes; } > "$corpus/seed-many-notes"
{ printf '\x01[generale]\n'; notes; } > "$corpus/seed-many-train-notes"

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The first folder takes the new inputs; the kept seeds and regressions are read only.
"$fuzzer" "$corpus" fuzz/seeds fuzz/regressions \
  -dict=fuzz/keywords.dict -max_len=1048576 -timeout=5 -rss_limit_mb=2048 \
  -max_total_time="$seconds" -artifact_prefix=build/fuzz/artifacts/ -print_final_stats=1 "$@"

# Every input once, the whole corpus included, under the sanitizers.
log=build/fuzz/replay.log
if ! "$fuzzer" "$corpus" fuzz/seeds fuzz/regressions -runs=0 -max_len=1048576 -timeout=5 \
    -rss_limit_mb=2048 -artifact_prefix=build/fuzz/artifacts/ >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "fuzz/run.sh: an input of the corpus fails when run again (whole log: $log)" >&2
  exit 1
fi
echo "every input of the corpus once, under the sanitizers:"
grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)' "$log" | tail -n 1

# The language server: a session of messages parted by NUL bytes (see fuzz/lsp_fuzzer.cc).
lsp_fuzzer=build/fuzz/fuzz/lsp_fuzzer
lsp_corpus=build/fuzz/lsp_corpus
mkdir -p "$lsp_corpus"
"$lsp_fuzzer" "$lsp_corpus" fuzz/lsp_seeds -dict=fuzz/lsp.dict -max_len=65536 -timeout=5 \
  -rss_limit_mb=2048 -max_total_time="$lsp_seconds" -artifact_prefix=build/fuzz/artifacts/lsp- \
  -print_final_stats=1 "$@"
lsp_log=build/fuzz/lsp_replay.log
if ! "$lsp_fuzzer" "$lsp_corpus" fuzz/lsp_seeds -runs=0 -max_len=65536 -timeout=5 \
    -rss_limit_mb=2048 -artifact_prefix=build/fuzz/artifacts/lsp- >"$lsp_log" 2>&1; then
  tail -n 40 "$lsp_log"
  echo "fuzz/run.sh: an input of the language server's corpus fails when run again (whole log: $lsp_log)" >&2
  exit 1
fi
echo "every input of the language server's corpus once, under the sanitizers:"
grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)' "$lsp_log" | tail -n 1
