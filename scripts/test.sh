#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds Vantix and runs the whole test suite twice:
# once as built for use, once built with AddressSanitizer and
# UndefinedBehaviorSanitizer (which also replays every fuzz corpus).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTIX_BUILD_DIR:-$here/build}
sanitized=${VANTIX_SANITIZE_BUILD_DIR:-$here/build-sanitize}

bash "$here/scripts/setup-debian.sh" --test

bash "$here/scripts/build.sh" -DVANTIX_BUILD_TESTS=ON -DVANTIX_BUILD_BENCH=ON
(cd "$build" && ctest --output-on-failure --timeout 600 -j2)

VANTIX_BUILD_DIR=$sanitized bash "$here/scripts/build.sh" \
  -DCMAKE_BUILD_TYPE=Debug -DVANTIX_SANITIZE=ON -DVANTIX_BUILD_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$here/tests/sanitizer-leaks.supp:print_suppressions=0
(cd "$sanitized" && ctest --output-on-failure --timeout 900 -j2 -E '^install_and_package$')
