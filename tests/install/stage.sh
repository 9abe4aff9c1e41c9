#!/usr/bin/env bash
# Installs the built project into STAGE as a package would, with the prefix /usr.
set -euo pipefail
build=${1:?usage: stage.sh BUILD STAGE}
stage=${2:?usage: stage.sh BUILD STAGE}
rm -rf "$stage"
DESTDIR=$stage cmake --install "$build" --prefix /usr
