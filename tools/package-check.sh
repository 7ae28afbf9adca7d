#!/usr/bin/env bash
# Checks the Debian package as a secretary's machine would take it, as root (or with sudo):
# builds it (tools/package.sh, with its BUILD_DIR when given), validates it with lintian,
# desktop-file-validate and appstreamcli, installs it with apt-get, runs the installed program
# (--version and one printout in a scratch position), removes it and finds none of its files left.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
tools=(lintian desktop-file-utils appstream dpkg-dev)
missing=()
for package in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

deb=$(bash tools/package.sh "$@" | tail -n 1)
echo "package: $deb"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# No errors from the three validators.
lintian --fail-on error "$deb"
dpkg-deb -x "$deb" "$scratch/contents"
desktop-file-validate "$scratch"/contents/usr/share/applications/*.desktop
appstreamcli validate --no-net "$scratch"/contents/usr/share/metainfo/*.metainfo.xml

# Installed, run, removed.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"
files=$(dpkg-query -L korvane)
/usr/bin/korvane --version
mkdir "$scratch/position"
printf 'Package Check\r\n' >"$scratch/position/kvn.dat"
(cd / && /usr/bin/korvane --print committee --pdf "$scratch/committee.pdf" "$scratch/position")
[ "$(head -c 4 "$scratch/committee.pdf")" = "%PDF" ] || { echo "no printout written" >&2; exit 1; }
$sudo env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y korvane

left=()
while IFS= read -r path; do
  [ -n "$path" ] && [ "$path" != "/." ] || continue
  if [ -d "$path" ] && [ ! -L "$path" ]; then
    # A folder may stay only while another package owns it too.
    dpkg-query -S "$path" >/dev/null 2>&1 || left+=("$path")
  elif [ -e "$path" ] || [ -L "$path" ]; then
    left+=("$path")
  fi
done <<<"$files"
if [ ${#left[@]} -gt 0 ]; then
  printf 'left behind by the package: %s\n' "${left[@]}" >&2
  exit 1
fi
echo "package check: built, validated, installed, run and removed without a trace"
