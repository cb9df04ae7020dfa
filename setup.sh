#!/bin/sh
# Installs the Debian packages that building and testing need, when any is missing, and the npm
# packages of the editor extension (editors/vscode/package-lock.json), when they are not those.
set -e
cd "$(dirname "$0")"
packages="cmake ninja-build xz-utils mandoc g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libxml2-utils man-db groff-base chromium chromium-driver python3-selenium neovim"
# The Windows build: the cross compiler (its posix thread model, for std::thread) and Wine, which
# runs the program and its tests; GoogleTest is cross-built from libgtest-dev's sources.
packages="$packages g++-mingw-w64-x86-64-posix wine wine64 googletest"
# Node.js and npm from Debian, unless the machine has them already (another build of Node.js
# brings its own npm, which Debian's npm package would conflict with).
command -v node >/dev/null 2>&1 || packages="$packages nodejs"
command -v npm >/dev/null 2>&1 || packages="$packages npm"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "setup: installing$missing" >&2
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
fi

# The extension's packaging tool, grammar test runner and language client, as the lock file pins
# them; a copy of the lock file beside them says they were installed from it.
vscode=editors/vscode
if ! cmp -s "$vscode/package-lock.json" "$vscode/node_modules/.installed-lock" 2>/dev/null; then
  echo "setup: installing the npm packages of $vscode" >&2
  (cd "$vscode" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$vscode/package-lock.json" "$vscode/node_modules/.installed-lock"
fi
