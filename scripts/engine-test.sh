#!/usr/bin/env bash
# Runs the game engine's browser tests (tests/engine/run.mjs). playwright-core is
# installed from tests/engine/package-lock.json the first time; the browser is the
# system's Chromium (scripts/install-deps.sh installs it).
#   scripts/engine-test.sh PATH_TO_PONDARO_CLI [run.mjs options...]
set -euo pipefail
cli=${1:?usage: engine-test.sh PATH_TO_PONDARO_CLI [options]}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ ! -f "$root/tests/engine/node_modules/playwright-core/package.json" ]]; then
  npm ci --prefix "$root/tests/engine" --no-audit --no-fund --loglevel=error >/dev/null
fi
if [[ ! -x /usr/bin/chromium ]]; then
  echo "engine tests: /usr/bin/chromium is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
exec node "$root/tests/engine/run.mjs" --cli "$cli" "$@"
