#!/usr/bin/env bash
# Builds the Debian package: a Release build without the tests or the
# benchmarks (into build-package/), installed under /usr, packed by CPack,
# then checked by lintian when it is installed (an error fails the script).
# Prints the package's path last.
#   PELLO_PACKAGE_DIR   build folder (default build-package/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELLO_PACKAGE_DIR:-$root/build-package}"

"$root/scripts/setup.sh" --package-tools
# Debian's hardening flags (all of them), as the distribution's own package
# builds use; given on every configure so that a change reaches the build.
# The packaged game is stripped, so the folder the sources are in matters
# to nothing: ccache may share objects between clones in other folders.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
flags() { dpkg-buildflags --get "$1" | sed 's/-ffile-prefix-map=[^ ]*//'; }
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DPELLO_TESTS=OFF -DPELLO_BENCH=OFF \
      -DCMAKE_C_FLAGS="$(flags CFLAGS) $(flags CPPFLAGS)" -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/pelloquinade_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/pelloquinade_*.deb)"

if command -v lintian >/dev/null; then
    report="$(lintian --tag-display-limit 0 "$deb" || true)"
    [ -z "$report" ] || echo "$report"
    if grep -q '^E:' <<<"$report"; then
        echo "package.sh: lintian found errors" >&2
        exit 1
    fi
fi
echo "$deb"
