#!/bin/sh
# The grammar under the grammar test runner (vscode-tmgrammar-test, installed by setup.sh into
# node_modules/): the rows of test/*.test.txt, and the built-in scenario's two source files,
# exported by EXECUTABLE into FOLDER, each line with what the format makes of it.
# Usage: grammar_test.sh EXECUTABLE FOLDER
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$2"
"$1" export --out "$2" >/dev/null
python3 "$here/test/builtin_assertions.py" "$2/Zenvro_Quarvel_linea.txt" \
  "$2/Zenvro_Quarvel_2417-.txt" "$2/builtin.test.txt"
cd "$here"
node_modules/.bin/vscode-tmgrammar-test -g syntaxes/scenario.tmLanguage.json \
  'test/*.test.txt' "$2/builtin.test.txt"
