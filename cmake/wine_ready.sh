#!/bin/sh
# Readies Wine for the windows preset's build and tests: starts its server to stay (-p) and
# its service processes (one `cmd /c exit` sets the prefix up and leaves them running), both
# detached, in a session of their own with their output on /dev/null. Started later by the
# first test instead, they would inherit ctest's pipe and hold it open, and ctest waits for
# every test's pipe to close: a run of seconds then takes many minutes.
# Run it once before `cmake --workflow --preset windows`; it returns when Wine answers.
set -eu
export WINEDEBUG=-all
setsid wineserver -p </dev/null >/dev/null 2>&1 &
setsid wine cmd /c exit </dev/null >/dev/null 2>&1 &
wait
