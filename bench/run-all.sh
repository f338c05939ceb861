#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark of a build and prints one table of their figures.
# Usage: bench/run-all.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
figures=$(mktemp)
trap 'rm -f "$figures"' EXIT
for bench in "$build"/bench/bench_*; do
  [ -x "$bench" ] || continue
  echo "running $(basename "$bench")" >&2
  "$bench" | grep '^FIGURE' >> "$figures" || echo "$(basename "$bench") failed" >&2
done
printf '| %-44s | %12s | %-6s | %-16s |\n' "figure" "value" "unit" "target"
printf '|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..46})" "$(printf -- '-%.0s' {1..14})" "$(printf -- '-%.0s' {1..8})" "$(printf -- '-%.0s' {1..18})"
while IFS=$'\t' read -r _ name value unit target; do
  printf '| %-44s | %12s | %-6s | %-16s |\n' "$name" "$value" "$unit" "$target"
done < "$figures"
