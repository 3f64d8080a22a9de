#!/usr/bin/env bash
# Runs the game engine's browser tests (tests/engine/run.mjs). playwright-core is
# installed from tests/engine/package-lock.json whenever the installed one is missing or
# is another release than the lock names; the browser is the system's Chromium
# (scripts/install-deps.sh installs it and Node.js). With --tutorial it plays the game
# the tutorial's window test made in the studio instead (tests/engine/tutorial.mjs).
#   scripts/engine-test.sh PATH_TO_PONDARO_CLI [run.mjs options...]
#   scripts/engine-test.sh --tutorial [tutorial.mjs options...]
set -euo pipefail
first=${1:?usage: engine-test.sh PATH_TO_PONDARO_CLI [options] | --tutorial [options]}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
tests="$root/tests/engine"
# The pinned playwright-core runs on Debian 12's own Node.js 18.
node_major=$(node -p 'process.versions.node.split(".")[0]')
if ((node_major < 18)); then
  echo "engine tests: Node.js 18 or later is needed, this is $(node --version)" >&2
  exit 1
fi
wanted=$(node -p "require('$tests/package-lock.json').packages['node_modules/playwright-core'].version")
# The engine and tutorial tests may start side by side: one installs, the other waits.
exec 9>/tmp/pondaro-engine-tests-npm.lock
flock 9
installed=$(node -p "try { require('$tests/node_modules/playwright-core/package.json').version } catch (e) { '' }")
if [[ "$installed" != "$wanted" ]]; then
  npm ci --prefix "$tests" --no-audit --no-fund --loglevel=error >/dev/null
fi
flock -u 9
exec 9>&-
if [[ ! -x /usr/bin/chromium ]]; then
  echo "engine tests: /usr/bin/chromium is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
if [[ "$first" == --tutorial ]]; then
  exec node "$tests/tutorial.mjs" "$@"
fi
exec node "$tests/run.mjs" --cli "$first" "$@"
