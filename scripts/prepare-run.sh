#!/usr/bin/env bash
# Prepares the run folder: the programs work on paths relative to their current folder.
set -euo pipefail
build=${1:-build}
run=${2:-run}
mkdir -p "$run/Projects" "$run/Extensions"
for f in data/export.js data/keywords.dat; do
  [[ -f "$f" ]] && cp -f "$f" "$run/"
done
if [[ -d samples/Projects ]]; then
  cp -rn samples/Projects/. "$run/Projects/" 2>/dev/null || true
fi
