#!/bin/bash
# The final rating sheet beside the spreadsheet route, measured alternately in one run: the
# program writes `korvane --print final --pdf` of a generated position, and LibreOffice Calc lays
# out the ranking file of the same position (`korvane --ranking`, already computed) as PDF.
# Prints the wall times of each (minimum, median, maximum) and the median of the ratios pair by
# pair.
#
#   bench/side-by-side.sh [BUILD_DIR [RUNS [APPLICANTS]]]     (build-release, 11, 1000)
#
# BUILD_DIR is a Release build with the benchmarks (korvane and bench/korvane_bench_position).
# LibreOffice is not part of the build: where it is not installed the script says so and stops
# without measuring (apt-get install -y --no-install-recommends libreoffice-calc).
set -euo pipefail

build=$(realpath "${1:-build-release}")
runs=${2:-11}
applicants=${3:-1000}

office=$(command -v soffice || command -v libreoffice || true)
if [[ -z "$office" ]]; then
    echo "side-by-side: LibreOffice is not installed; nothing measured." \
        "(apt-get install -y --no-install-recommends libreoffice-calc)"
    exit 0
fi
for program in "$build/korvane" "$build/bench/korvane_bench_position"; do
    if [[ ! -x "$program" ]]; then
        echo "side-by-side: $program is missing; build the benchmarks in $build first" >&2
        exit 2
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$build/bench/korvane_bench_position" "$work/position" "$applicants" 12
cd "$work/position"
"$build/korvane" --ranking "$work/ranking.csv"

korvane_run() {
    "$build/korvane" --print final --pdf "$work/final.pdf" >/dev/null 2>&1
}
office_run() {
    "$office" -env:UserInstallation="file://$work/office-profile" --headless \
        --convert-to pdf --outdir "$work/office" "$work/ranking.csv" >/dev/null 2>&1
}
# Seconds one run of the function takes, by the wall clock.
seconds() {
    local start end
    start=$(date +%s%N)
    "$1"
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.4f\n", ns / 1e9 }'
}

# Warm-up: LibreOffice makes its profile on the first run, both read their files once.
korvane_run
office_run

: >"$work/times"
for ((i = 0; i < runs; i++)); do
    echo "$(seconds korvane_run) $(seconds office_run)" >>"$work/times"
done

summary() { # column of $work/times, name
    sort -n <(awk -v c="$1" '{ print $c }' "$work/times") |
        awk -v name="$2" '{ v[NR] = $1 } END {
            printf "%-34s min %.3f s  median %.3f s  max %.3f s\n", name, v[1], v[int((NR + 1) / 2)], v[NR] }'
}
pages=$(pdfinfo "$work/final.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }' || true)
officePages=$(pdfinfo "$work/office/ranking.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }' || true)
echo "position: $applicants applicants x 12 members x 12 criteria; $runs runs each, alternately"
summary 1 "korvane --print final (${pages:-?} pages)"
summary 2 "LibreOffice Calc (${officePages:-?} pages)"
awk '{ print $1 / $2 }' "$work/times" | sort -n |
    awk '{ v[NR] = $1 } END { printf "ratio korvane / LibreOffice: median %.3f (min %.3f, max %.3f)\n", v[int((NR + 1) / 2)], v[1], v[NR] }'
