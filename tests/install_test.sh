#!/usr/bin/env bash
# An install made by `cmake --install`: the installed game reads the data
# installed beside it (not the build's) and names reinstalling as the remedy
# for a damaged file; the man page lists every option --help lists; the
# desktop entry and metainfo validate (when the validators are installed).
# --version names the version set in the build.
#   tests/install_test.sh BUILD_DIR VERSION
set -euo pipefail
build="$1"
version="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() {
    echo "install_test: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
game="$prefix/games/pelloquinade"
data="$prefix/share/games/pelloquinade"
[ -x "$game" ] && [ -f "$data/fix.bmp" ] || fail "the game or its data is not where an install puts them"
for size in 32 48 64 128 256; do
    ls "$prefix/share/icons/hicolor/${size}x${size}/apps/"*.png >/dev/null || fail "no ${size}x${size} icon"
done

"$game" --version | grep -qE "^pelloquinade $version( \(commit [0-9a-f]{12}( with local changes)?\))?$" ||
    fail "--version printed \"$("$game" --version)\", not pelloquinade $version"

truncate -s 100 "$data/fix.bmp"
err="$(cd / && "$game" --headless --frames 1 --time-limit 5 2>&1 >/dev/null || true)"
grep -q "data folder $data: 1 problem .*fix.bmp.*reinstall the game" <<<"$err" ||
    fail "the installed game did not report its own damaged data with the reinstall remedy: $err"

man="$(zcat "$prefix/share/man/man6/pelloquinade.6.gz")"
for option in $("$game" --help | grep -oE '^ +--[a-z0-9-]+' | tr -d ' '); do
    grep -qF -- "${option//-/\\-}" <<<"$man" || fail "the man page does not describe $option"
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/"*.desktop || fail "the desktop entry does not validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/"*.xml >/dev/null ||
        fail "the metainfo does not validate"
fi
