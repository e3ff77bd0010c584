#!/usr/bin/env bash
# Builds the game for the browser (scripts/web.sh) and tests it: every kept
# run in tests/replays/, replayed by the browser build under node, must end
# as recorded and with the native build's hash; then headless Chromium plays
# the page into stage 1 and hears its music (tests/web/browser.js).
#   PELLO_NATIVE_BUILD_DIR, PELLO_WEB_BUILD_DIR, PELLO_WEB_CACHE   as for scripts/web.sh
#   PELLO_WEB_SHOT   where the browser test saves its picture of stage 1
#                    (default: stage1.png in the web build folder)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
native="${PELLO_NATIVE_BUILD_DIR:-$root/build}"
build="${PELLO_WEB_BUILD_DIR:-$root/build-web}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
site="$build/site"

"$root/scripts/setup.sh" --browser
"$root/scripts/web.sh"
cmake --build "$native" -j2 --target pelloquinade >/dev/null

passed=0
failed=0
result() {
    if [ "$1" = 0 ]; then passed=$((passed + 1)); echo "ok     $2"; else failed=$((failed + 1)); echo "FAILED $2"; fi
}
for run in "$root"/tests/replays/*.pqr; do
    want="$("$native/pelloquinade" --headless --replay "$run" | grep '^replay final state hash' || true)"
    got="$(node "$root/tests/web/replay.js" "$site" "$run" | grep '^replay final state hash' || true)"
    same=1
    [ -n "$got" ] && [ "$got" = "$want" ] && [[ "$got" == *"(as recorded)" ]] && same=0
    result "$same" "$(basename "$run") in the browser build: ${got:-no hash} (native: ${want:-no hash})"
done
set +e
node "$root/tests/web/browser.js" "$site" "${PELLO_WEB_SHOT:-$build/stage1.png}"
result $? "the page in headless Chromium"
set -e
echo "web: $passed passed, $failed failed"
[ "$failed" = 0 ]
