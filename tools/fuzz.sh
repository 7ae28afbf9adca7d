#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang under AddressSanitizer and UBSan (build-fuzz/) and
# runs each for a bounded time, one after the other on one core:
#   tools/fuzz.sh [seconds-per-target] [target ...]
# The inputs each target finds are kept in build-fuzz/corpus/<target>/ for the next run. A
# broken property or a sanitizer report stops the script; the input is left in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
shift || true

packages=(clang libclang-rt-14-dev cmake make)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DKORVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in build-fuzz/fuzz/fuzz_*; do
    [ -x "$program" ] && targets+=("$(basename "$program")")
  done
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  # Absolute paths: a target may work in a folder of its own.
  corpus=$PWD/build-fuzz/corpus/$target
  log=$PWD/build-fuzz/$target.log
  mkdir -p "$corpus"
  if ! build-fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
      -artifact_prefix="$PWD/build-fuzz/$target-" "$corpus" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz: $target failed; its input is in build-fuzz/" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
  echo "fuzz: $target: $runs runs in ${seconds} s, $coverage, $(ls "$corpus" | wc -l) inputs kept"
done
