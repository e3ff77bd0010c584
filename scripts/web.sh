#!/usr/bin/env bash
# Builds the game for the browser into a folder that any static web server can
# serve (index.html, the program's wasm and js, its data, the soundfont and the
# music synthesizer), installing what it needs first.
#   scripts/web.sh            build into build-web/site/
#   scripts/web.sh --serve    build, then serve it on http://127.0.0.1:8000/
# SDL2 and SDL2_image are built for the browser once, from Debian's source
# packages, into the cache folder. The data comes from the native generator.
#   PELLO_WEB_BUILD_DIR      build folder (default build-web/)
#   PELLO_WEB_CACHE          cache folder (default ~/.cache/pelloquinade-web)
#   PELLO_NATIVE_BUILD_DIR   native build that generates the data (default build/)
#   PELLO_WEB_PORT           port for --serve (default 8000)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELLO_WEB_BUILD_DIR:-$root/build-web}"
cache="${PELLO_WEB_CACHE:-$HOME/.cache/pelloquinade-web}"
native="${PELLO_NATIVE_BUILD_DIR:-$root/build}"
port="${PELLO_WEB_PORT:-8000}"
serve=0
for arg in "$@"; do
    case "$arg" in
        --serve) serve=1 ;;
        *) echo "web.sh: unknown option $arg (try --serve)" >&2; exit 2 ;;
    esac
done
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
case "$native" in /*) ;; *) native="$PWD/$native" ;; esac
jobs=2
# Debian's Emscripten finds its JavaScript helpers (acorn) here.
export NODE_PATH=/usr/share/nodejs

"$root/scripts/setup.sh" --web-tools

# --- SDL2 and SDL2_image for the browser, from the source packages of the
# archive the system uses, through apt folders of our own (the system's apt
# set-up is left as it is).
sdl="$cache/sdl"
if [ ! -f "$sdl/.built" ]; then
    echo "web.sh: building SDL2 and SDL2_image for the browser into $sdl (once)"
    work="$cache/work"
    rm -rf "$work" "$sdl"
    mkdir -p "$work/apt/lists/partial" "$work/apt/archives/partial" "$work/apt/sources"
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        >"$work/apt/sources/debian-src.sources"
    apt_private=(-q -o Dir::State="$work/apt" -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt"
                 -o Dir::Cache::Archives="$work/apt/archives" -o Dir::Etc::SourceList=/dev/null
                 -o Dir::Etc::SourceParts="$work/apt/sources" -o APT::Sandbox::User=root)
    apt-get "${apt_private[@]}" update >/dev/null
    (cd "$work" && apt-get "${apt_private[@]}" source libsdl2 libsdl2-image >/dev/null 2>&1)
    sdl_src="$(echo "$work"/libsdl2-2.*/)"
    image_src="$(echo "$work"/libsdl2-image-2.*/)"
    [ -f "$sdl_src/CMakeLists.txt" ] && [ -f "$image_src/CMakeLists.txt" ] || {
        echo "web.sh: the SDL2 sources could not be fetched" >&2; exit 1; }
    emcmake cmake -S "$sdl_src" -B "$work/sdl-build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$sdl" \
        -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF >"$work/sdl.log" 2>&1
    cmake --build "$work/sdl-build" -j"$jobs" >>"$work/sdl.log" 2>&1
    cmake --install "$work/sdl-build" >>"$work/sdl.log" 2>&1
    emcmake cmake -S "$image_src" -B "$work/image-build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$sdl" \
        -DBUILD_SHARED_LIBS=OFF -DSDL2IMAGE_BACKEND_STB=ON -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_SAMPLES=OFF \
        -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF \
        -DSDL2_DIR="$sdl/lib/cmake/SDL2" -DCMAKE_FIND_ROOT_PATH="$sdl" >"$work/image.log" 2>&1
    cmake --build "$work/image-build" -j"$jobs" >>"$work/image.log" 2>&1
    cmake --install "$work/image-build" >>"$work/image.log" 2>&1
    basename "$sdl_src" >"$sdl/.built"
    basename "$image_src" >>"$sdl/.built"
    rm -rf "$work"
fi

# --- the page's packages (the synthesizer; the browser tests' driver), as locked
if [ ! -f "$root/web/node_modules/.package-lock.json" ] ||
   [ "$root/web/package-lock.json" -nt "$root/web/node_modules/.package-lock.json" ]; then
    (cd "$root/web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
fi

# --- the data, from the native generator
if [ ! -f "$native/CMakeCache.txt" ]; then
    "$root/scripts/setup.sh"
    cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$native" -j"$jobs" --target gamedata >/dev/null

# --- the game
emcmake cmake -S "$root" -B "$build/game" -DCMAKE_BUILD_TYPE=Release -DPELLO_WEB_SDL_PREFIX="$sdl" \
    -DPELLO_WEB_DATA="$native/data" >/dev/null
cmake --build "$build/game" -j"$jobs"

# --- the folder to serve
site="$build/site"
modules="$root/web/node_modules/js-synthesizer"
rm -rf "$site"
mkdir -p "$site/licences"
cp "$root/web/index.html" "$root/web/page.js" "$build/game/web/pelloquinade."{js,wasm,data} "$site/"
cp "$modules/dist/js-synthesizer.min.js" "$modules/dist/js-synthesizer.worklet.min.js" "$site/"
cp "$modules/externals/libfluidsynth-2.4.6.js" "$site/libfluidsynth.js"
cp /usr/share/sounds/sf2/TimGM6mb.sf2 "$site/soundfont.sf2"
cp "$modules/LICENSE" "$site/licences/js-synthesizer.txt"
cp "$modules/externals/LICENSE.fluidsynth.txt" "$site/licences/libfluidsynth.txt"
cp /usr/share/doc/timgm6mb-soundfont/copyright "$site/licences/soundfont.txt"
echo "web.sh: the game for the browser is in $site"
(cd "$site" && for f in *; do
    [ -f "$f" ] && printf '  %-28s %10s bytes  %10s gzipped\n' "$f" "$(stat -c %s "$f")" "$(gzip -9c "$f" | wc -c)"
done)

if [ "$serve" = 1 ]; then
    exec node "$root/web/serve.js" "$site" "$port" 127.0.0.1
fi
