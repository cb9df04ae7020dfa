#!/bin/sh
# Unpacks a release archive into a fresh folder, as a user would, and runs the program in it:
# the built-in run (its six files held to their digests), the built-in sources exported, and
# `check` on them. The Windows archive runs in a fresh Wine prefix, its own, removed after.
#
# usage: packaging/archive_test.sh ARCHIVE DIGESTS
set -eu
archive=$(realpath "$1")
digests=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cmake -E tar xf "$archive"
top=$(ls -d scenario-compiler-*/)
case "$archive" in
  *.zip)
    export WINEPREFIX="$work/wine-prefix" WINEDEBUG=-all
    program="wine $work/${top}scenario-compiler.exe"
    trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
    for f in scenario-compiler.exe README.txt scenario-compiler.html \
             scenario-compiler-format.html; do
      test -f "$top$f" || { echo "archive_test: $f is not in the archive" >&2; exit 1; }
    done
    ;;
  *)
    program="$work/${top}bin/scenario-compiler"
    ;;
esac
echo "archive_test: $(basename "$archive"), $(ls "$top" | tr '\n' ' ')"
mkdir run sources
# The built-in run, into its own folder (the archive's folder stays as unpacked).
$program --out run >run.log 2>&1 || { cat run.log; exit 1; }
(cd run && sha256sum -c --quiet "$digests")
$program export --out sources >/dev/null
$program check sources/Zenvro_Quarvel_linea.txt sources/Zenvro_Quarvel_2417-.txt >check.out
cat check.out
grep -q '0 errors, 0 warnings' check.out
echo "archive_test: the unpacked program ran, wrote the built-in scenario's files as they must be and checked its sources"
