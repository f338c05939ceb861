#!/usr/bin/env bash
# Installs what is needed, builds Vantix and runs the whole test suite.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup-debian.sh"
bash "$here/scripts/build.sh"
cd "${VANTIX_BUILD_DIR:-$here/build}"
ctest --output-on-failure --timeout 300 -j2
