#!/usr/bin/env bash
# Installs the Debian package on a clean Debian 12: a debootstrap "minbase"
# bookworm chroot, made once and kept in a cache folder outside the clone,
# with each run on a throw-away overlay of it. There it installs the package
# with apt-get (its dependencies come from the archive, cached after the
# first run), plays the installed game headless from the title into stage 1
# and compares the last frame's hash with the build's own game, and starts
# the game with the desktop entry's command line.
#   scripts/package-test.sh [DEB]    (without DEB: scripts/package.sh builds it)
#   PELLO_CHROOT_CACHE   cache folder (default /var/cache/pelloquinade-chroot)
#   PELLO_PACKAGE_DIR    the package's build folder (as for scripts/package.sh)
# Skips (exit code 0, saying so) without root or debootstrap.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# absolute: the reference game is started from another folder
build="$(realpath -m "${PELLO_PACKAGE_DIR:-$root/build-package}")"
cache="${PELLO_CHROOT_CACHE:-/var/cache/pelloquinade-chroot}"
mirror="http://deb.debian.org/debian"
started=$SECONDS

skip() {
    echo "package-test: SKIPPED: $*"
    exit 0
}
[ "$(id -u)" -eq 0 ] || skip "needs root for debootstrap, mount and chroot"
command -v debootstrap >/dev/null || skip "debootstrap is not installed (scripts/setup.sh --package-tools)"

deb="${1:-}"
if [ -z "$deb" ]; then
    deb="$("$root/scripts/package.sh" | tail -n 1)"
fi
deb="$(realpath "$deb")"
reference="$build/pelloquinade"
[ -x "$reference" ] || { echo "package-test: no build of the packaged game at $reference" >&2; exit 1; }

# --- the clean system, made once (a base refreshed after 30 days); making
# it takes the cache's lock alone, runs on it share the lock
base="$cache/bookworm-minbase"
mkdir -p "$cache/archives"
exec 9>"$cache/lock"
flock 9
if [ -d "$base" ] && [ -n "$(find "$base/.complete" -mtime +30 2>/dev/null)" ]; then
    rm -rf "$base"
fi
if [ ! -f "$base/.complete" ]; then
    echo "package-test: making a bookworm minbase chroot in $base (once)"
    rm -rf "$base"
    debootstrap --variant=minbase bookworm "$base" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        { tail -n 20 "$cache/debootstrap.log" >&2; exit 1; }
    chroot "$base" apt-get update -q >/dev/null
    chroot "$base" apt-get clean
    touch "$base/.complete"
fi
flock -s 9

# --- a throw-away overlay of it for this run, its changes kept in memory
run="$(mktemp -d "$cache/run.XXXXXX")"
sys="$run/root"
cleanup() {
    umount "$sys/proc" 2>/dev/null || true
    umount "$sys" 2>/dev/null || true
    umount "$run" 2>/dev/null || true
    rm -rf "$run"
}
trap cleanup EXIT
mount -t tmpfs -o size=2g tmpfs "$run"
mkdir -p "$run/upper" "$run/work" "$sys"
mount -t overlay overlay -o "lowerdir=$base,upperdir=$run/upper,workdir=$run/work" "$sys"
mount -t proc proc "$sys/proc"
in_root() { chroot "$sys" env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games HOME=/root "$@"; }

# Packages fetched by an earlier run are offered to apt again.
cp "$cache/archives/"*.deb "$sys/var/cache/apt/archives/" 2>/dev/null || true
cp "$deb" "$sys/tmp/"
echo "package-test: installing $(basename "$deb") with apt-get"
if ! in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o Dpkg::Options::=--force-unsafe-io "./tmp/$(basename "$deb")" \
        >"$run/apt.log" 2>&1; then
    tail -n 30 "$run/apt.log" >&2
    exit 1
fi
grep -E '^[0-9]+ upgraded, [0-9]+ newly installed' "$run/apt.log" | sed 's/^/package-test: /'
cp -n "$sys/var/cache/apt/archives/"*.deb "$cache/archives/" 2>/dev/null || true

# --- the installed game plays into stage 1 like the build's own
cp "$root/scripts/combat_run.txt" "$sys/tmp/input.txt"
play=(--headless --power 1,1 --frames 400)
(cd /tmp && "$reference" --input "$root/scripts/combat_run.txt" "${play[@]}" 2>"$run/want.txt" >/dev/null)
in_root /usr/games/pelloquinade --input /tmp/input.txt "${play[@]}" 2>"$run/got.txt" >/dev/null ||
    { echo "package-test: the installed game failed:" >&2; cat "$run/got.txt" >&2; exit 1; }
want="$(grep -o 'last frame hash [0-9a-f]*' "$run/want.txt" || true)"
got="$(grep -o 'last frame hash [0-9a-f]*' "$run/got.txt" || true)"
if [ -z "$want" ] || [ "$want" != "$got" ] || grep -q 'time limit\|problem' "$run/got.txt"; then
    echo "package-test: the installed game did not play as the build does" >&2
    echo "  build:     $(tail -n 1 "$run/want.txt")" >&2
    echo "  installed: $(tail -n 1 "$run/got.txt")" >&2
    exit 1
fi
echo "package-test: /usr/games/pelloquinade played 400 frames of stage 1, $got, as the build does"

# --- the desktop entry's command line starts it (no display: SDL's dummy
# video and audio; still running after 5 seconds counts as started)
entry="$(ls "$sys"/usr/share/applications/*.desktop)"
command="$(sed -n 's/^Exec=//p' "$entry" | sed 's/ %[fFuUick]//g')"
set +e
# shellcheck disable=SC2086  # the entry's command line is meant to split
in_root env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy HOME=/tmp timeout 5 $command >"$run/desktop.txt" 2>&1
status=$?
set -e
if [ $status -ne 124 ]; then
    echo "package-test: the desktop entry's command \"$command\" ended with code $status:" >&2
    cat "$run/desktop.txt" >&2
    exit 1
fi
echo "package-test: the desktop entry's command \"$command\" starts the game"
echo "package-test: passed in $((SECONDS - started)) s"
