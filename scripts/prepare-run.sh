#!/usr/bin/env bash
# Prepares the run folder: the programs work on paths relative to their current folder.
# The engine template and word list are refreshed on every run; the sample projects
# are copied only where the folder has no project of that name yet, so work saved in
# the run folder is never overwritten.
set -euo pipefail
build=${1:-build}
run=${2:-$build/run}
mkdir -p "$run/Projects" "$run/Extensions" "$run/manual"
for f in data/export.js data/keywords.dat; do
  [[ -f "$f" ]] && cp -f "$f" "$run/"
done
# A sample is copied whole (with its preview picture), and only when the run folder has
# no project of its name:
# files deleted from a project there are not brought back.
if [[ -d samples/Projects ]]; then
  for xml in samples/Projects/*.xml; do
    [[ -f "$xml" ]] || continue
    name=$(basename "$xml" .xml)
    [[ -e "$run/Projects/$name.xml" ]] && continue
    if [[ -d "samples/Projects/$name" ]]; then
      cp -r "samples/Projects/$name" "$run/Projects/"
    fi
    cp "$xml" "$run/Projects/"
    # Its preview picture, which the open dialog shows.
    [[ -f "samples/Projects/$name.png" ]] && cp "samples/Projects/$name.png" "$run/Projects/"
  done
fi
if [[ -d samples/Extensions ]]; then
  cp -rn samples/Extensions/. "$run/Extensions/" 2>/dev/null || true
fi
# Help (F1) opens manual/index.html in the folder the studio runs in.
if [[ -d docs/manual ]]; then
  cp -rf docs/manual/. "$run/manual/"
fi
echo "Run folder: $run"
