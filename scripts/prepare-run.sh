#!/usr/bin/env bash
# Prepares the run folder: the programs work on paths relative to their current folder.
# The engine template and word list are copied again whenever data/ has newer ones; the
# sample projects are copied only where the folder has no project of that name yet, so
# work saved in the run folder is never overwritten (scripts/studio-folder.sh, which the
# installed studio's launcher uses too).
set -euo pipefail
build=${1:-build}
run=${2:-$build/run}
"$(dirname "$0")/studio-folder.sh" data samples "$run"
# Help (F1) opens manual/index.html in the folder the studio runs in.
mkdir -p "$run/manual"
if [[ -d docs/manual ]]; then
  cp -rf docs/manual/. "$run/manual/"
fi
echo "Run folder: $run"
