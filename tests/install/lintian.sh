#!/usr/bin/env bash
# lintian on the package in OUT: errors fail, warnings are shown.
set -euo pipefail
out=${1:?usage: lintian.sh OUT}
debs=("$out"/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "expected one .deb in $out" >&2; exit 1; }
lintian --fail-on error --display-info "${debs[0]}"
