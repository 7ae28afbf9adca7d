#!/usr/bin/env bash
# Installs what the build needs, builds the program (only the program: tools/test.sh builds the
# tests and benchmarks), prepares a demo position folder and starts the program in it. Extra
# arguments go to the program (for example /QX).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target korvane -j"$(nproc)"

demo=$root/demo
mkdir -p "$demo"
if [ ! -f "$demo/kvn.dat" ]; then
  printf 'Senior Budget Analyst\r\n' > "$demo/kvn.dat"
fi
if [ ! -f "$demo/support.dat" ]; then
  printf '%s\r\n' \
    'ORGANISATIONNAME=City of Millbrook Human Resources' \
    'SENDREPORTSTOPRINTER=FALSE' \
    'VETPREFERENCERATE1=0.05' \
    'VETPREFERENCERATE2=0.10' \
    'TECHNAME1=Dana Whitfield' \
    'TECHPHONE1=(555) 014-2290' \
    'TECHNAME2=Luis Ortega' \
    'TECHPHONE2=(555) 014-2291' \
    'RATENAME1=Priya Raman' \
    'RATEPHONE1=(555) 014-3310' > "$demo/support.dat"
fi
# A first run brings an applicant list: the program imports it when its window opens.
if [ ! -f "$demo/Applicant.Dat" ] && [ ! -f "$demo/App.Ext" ]; then
  {
    printf '%10d%s%s\r\n' 1001 0 'Garcia, Maria'
    printf '%10d%s%s\r\n' 1002 1 'Johnson, Robert'
    printf '%10d%s%s\r\n' 1003 2 'Lee, Soo-Jin'
    printf '%10d%s%s\r\n' 1004 0 'Nguyen, Thanh'
    printf '%10d%s%s\r\n' 1005 0 'Okafor, Chidi'
    printf '%10d%s%s\r\n' 1006 1 'Petrova, Anna'
  } > "$demo/App.Ext"
fi
cd "$demo"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: start it from a desktop session, or under xvfb-run." >&2
fi
exec "$root/build/korvane" "$@"
