#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the binary seeds of the fuzz corpus (fuzz/corpus/<target>/) with
# the generator in fuzz/seeds, built in an ordinary build with the tests:
#   fuzz/make-seeds.sh [build folder]     (default: build-fuzzcheck)
# The text seeds in the corpus are written by hand and left as they are.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build-fuzzcheck}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j 2 --target vantix_fuzzseeds
QT_QPA_PLATFORM=offscreen "$build/fuzz/seeds/vantix_fuzzseeds" "$here/fuzz/corpus"
