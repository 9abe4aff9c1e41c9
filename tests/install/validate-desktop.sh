#!/usr/bin/env bash
# desktop-file-validate on every installed desktop entry; its warnings count as failures.
set -euo pipefail
folder=${1:?usage: validate-desktop.sh FOLDER}
shopt -s nullglob
entries=("$folder"/*.desktop)
[[ ${#entries[@]} -gt 0 ]] || { echo "no desktop entry in $folder" >&2; exit 1; }
report=$(desktop-file-validate "${entries[@]}" 2>&1) || { echo "$report" >&2; exit 1; }
if grep -E 'error:|warning:' <<<"$report"; then
    exit 1
fi
[[ -z $report ]] || echo "$report"
echo "valid: ${entries[*]}"
