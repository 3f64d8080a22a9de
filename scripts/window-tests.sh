#!/usr/bin/env bash
# Runs the window tests on a virtual display with a window manager, as the studio runs
# on a desktop: where windows are placed, what their title bars show and the sizes
# they pass through on the way to the screen only behave there as users see them.
#   scripts/window-tests.sh PATH_TO_WINDOW_TESTS [gtest options...]
set -euo pipefail
tests=${1:?usage: window-tests.sh PATH_TO_WINDOW_TESTS [gtest options]}
shift
if [[ -z "${PONDARO_WINDOW_TESTS_DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" env PONDARO_WINDOW_TESTS_DISPLAY=1 "$0" "$tests" "$@"
fi
if ! command -v openbox >/dev/null 2>&1; then
  echo "window tests: openbox is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
ready=$(mktemp -u)
openbox --startup "touch $ready" >/dev/null 2>&1 &
manager=$!
for _ in $(seq 200); do
  [[ -e "$ready" ]] && break
  sleep 0.05
done
rm -f "$ready"
status=0
"$tests" "$@" || status=$?
kill "$manager" 2>/dev/null || true
wait "$manager" 2>/dev/null || true
exit "$status"
