#!/usr/bin/env bash
# Builds the Debian package korvane_<version>_amd64.deb:
#   tools/package.sh              a Release build of its own in build-package/
#   tools/package.sh BUILD_DIR    from a build tree that is already configured (CI packages the
#                                 tree tools/test.sh built instead of compiling a third time)
# The package is left in BUILD_DIR/package/; the last line printed is its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
# dpkg-shlibdeps finds the package's dependencies in the program file.
dpkg-query -W -f='${Status}' dpkg-dev 2>/dev/null | grep -q 'install ok installed' || {
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends dpkg-dev
}

tree=${1:-build-package}
if [ $# -eq 0 ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DKORVANE_BENCH=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$tree" --target korvane korvane_package_files -j"$(nproc)" >&2
rm -rf "$tree/package"
(cd "$tree" && cpack -G DEB -B "$PWD/package" >&2)
ls "$PWD/$tree"/package/korvane_*_amd64.deb
