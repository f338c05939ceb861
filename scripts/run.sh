#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the program needs to build and run, builds the program alone
# (no tests, no benchmarks) and starts it. Arguments go to the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup-debian.sh"
bash "$here/scripts/build.sh" -DVANTIX_BUILD_TESTS=OFF -DVANTIX_BUILD_BENCH=OFF
exec "${VANTIX_BUILD_DIR:-$here/build}/bin/Vantix" "$@"
