#!/usr/bin/env bash
# Starts the studio in the run folder; until it exists, shows what the command-line tool offers.
set -euo pipefail
build=$(realpath "${1:-build}")
run=${2:-run}
cd "$run"
if [[ -x "$build/PondaroMaker" ]]; then
  exec "$build/PondaroMaker"
fi
echo "The studio (PondaroMaker) is not built yet. The command-line tool is ready:"
echo
"$build/pondaro-cli" --help
