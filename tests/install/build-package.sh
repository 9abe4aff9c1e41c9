#!/usr/bin/env bash
# Builds the Debian package of the build tree BUILD into OUT, as a packager would.
set -euo pipefail
build=${1:?usage: build-package.sh BUILD OUT}
out=${2:?usage: build-package.sh BUILD OUT}
rm -rf "$out"
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out"
