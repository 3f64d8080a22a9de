#!/usr/bin/env bash
# Starts the studio in the run folder; until it exists, shows what the command-line tool offers.
set -euo pipefail
build=$(realpath "${1:-build}")
run=${2:-$build/run}
cd "$run"
if [[ -x "$build/PondaroMaker" ]]; then
  if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "There is no display to open the studio's window on (DISPLAY is not set)."
    echo "On a machine without one:  xvfb-run -a $build/PondaroMaker  (started in $run)"
    exit 1
  fi
  exec "$build/PondaroMaker"
fi
echo "The studio (PondaroMaker) is not built yet. The command-line tool is ready:"
echo
"$build/pondaro-cli" --help
