#!/usr/bin/env bash
# Installs the Debian 12 packages the game needs to build, run and test, and
# nothing that is already there. Run as root or with sudo at hand.
#   scripts/setup.sh                 build, play and test
#   scripts/setup.sh --player-tools  also Xvfb, xdotool, ImageMagick, SoX and
#                                    FluidSynth, for trying the game from a script
#   scripts/setup.sh --fuzz-tools    also clang and its libFuzzer and sanitizer
#                                    runtimes, for scripts/fuzz.sh
#   scripts/setup.sh --package-tools also what scripts/package.sh and the
#                                    install test use: dpkg-dev, lintian,
#                                    desktop-file-utils, appstream, debootstrap
#   scripts/setup.sh --web-tools     also Emscripten, dpkg-dev (for apt-get source)
#                                    and npm, for scripts/web.sh
#   scripts/setup.sh --browser       also Chromium, for scripts/web-test.sh
set -euo pipefail

packages=(build-essential cmake pkg-config libsdl2-dev libsdl2-image-dev libfluidsynth-dev timgm6mb-soundfont
          libgtest-dev googletest libbenchmark-dev libespeak-ng-dev)
for arg in "$@"; do
    case "$arg" in
        --player-tools) packages+=(xvfb xdotool imagemagick sox fluidsynth) ;;
        --fuzz-tools) packages+=(clang libclang-rt-14-dev) ;;
        --package-tools) packages+=(dpkg-dev lintian desktop-file-utils appstream debootstrap) ;;
        --web-tools)
            packages+=(emscripten dpkg-dev)
            command -v npm >/dev/null || packages+=(npm)  # some Node.js packages bring their own
            ;;
        --browser) packages+=(chromium) ;;
        *) echo "setup.sh: unknown option $arg" >&2; exit 2 ;;
    esac
done

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "setup.sh: this is not a Debian system; please install the equivalents of:" >&2
    echo "  ${packages[*]}" >&2
    exit 1
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "setup.sh: missing packages: ${missing[*]}" >&2
    echo "setup.sh: run this script as root (or install sudo) to install them" >&2
    exit 1
fi

echo "setup.sh: installing ${missing[*]}"
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
