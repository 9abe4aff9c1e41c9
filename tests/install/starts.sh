#!/usr/bin/env bash
# The installed program, started through bin/tabwright as a desktop entry starts it, loads
# its libraries and plugins and keeps its window open until it is ended.
set -euo pipefail
program=$(realpath -s "${1:?usage: starts.sh PROGRAM}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
(cd "$work" && env -u ORACLE_HOME -u ORACLE_SIM_STATE -u LD_LIBRARY_PATH \
    QT_QPA_PLATFORM=offscreen timeout 5 "$program" >"$work/output" 2>&1) || status=$?
if [[ $status -ne 124 ]]; then
    echo "FAIL: $program ended by itself with status $status instead of staying open:" >&2
    cat "$work/output" >&2
    exit 1
fi
echo "$program was still running after 5 s"
