#!/bin/sh
# Runs a program of the Windows cross build under Wine: the emulator through which
# CMake (test discovery) and CTest start it. WINEPREFIX and WINE (the loader for the
# program's architecture: wine64, or wine for 32-bit programs) come from the caller.
# The first program of a Wine session also starts Wine's background services, which
# inherit its standard output and error and outlive it, so CTest would wait for them
# to close its pipes. The program therefore writes into files, passed on when it ends.
set -u
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" \
  "${WINE:-/usr/lib/wine/wine64}" "$@" <"/dev/null" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
exit $status
