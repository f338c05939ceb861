#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds Vantix into build/ (or $VANTIX_BUILD_DIR).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTIX_BUILD_DIR:-$here/build}
extra=()
if [ "${CI:-}" = "true" ]; then extra+=(-DVANTIX_WERROR=ON); fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" "$@"
cmake --build "$build"
