#!/bin/sh
# Packages the extension with the registry's packaging tool (vsce, installed by setup.sh into
# node_modules/) as OUTPUT.vsix, and checks that the package holds the client, the grammar and
# the language client library it loads. Usage: vsix_test.sh OUTPUT.vsix
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
node --check extension.js
rm -f "$1"
node_modules/.bin/vsce package --skip-license --allow-missing-repository --out "$1"
python3 - "$1" <<'PY'
import json, sys, zipfile
names = set(zipfile.ZipFile(sys.argv[1]).namelist())
for wanted in ("extension/extension.js", "extension/package.json",
               "extension/syntaxes/scenario.tmLanguage.json",
               "extension/node_modules/vscode-languageclient/node.js"):
    if wanted not in names:
        sys.exit(f"{sys.argv[1]} lacks {wanted}")
manifest = json.loads(zipfile.ZipFile(sys.argv[1]).read("extension/package.json"))
patterns = [p for l in manifest["contributes"]["languages"] for p in l["filenamePatterns"]]
print(f"{sys.argv[1]}: {len(names)} files; the sources it knows: {', '.join(patterns)}")
PY
