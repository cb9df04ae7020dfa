#!/bin/sh
# Installs the Debian packages that building and testing need, when any is missing.
set -e
packages="cmake ninja-build xz-utils mandoc g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libxml2-utils man-db groff-base chromium chromium-driver python3-selenium"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "setup: installing$missing" >&2
if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
