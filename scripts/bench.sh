#!/usr/bin/env bash
# Every benchmark in one run, with the baselines measured in the same run: the Google benchmarks
# of the units, the keystroke benchmark through the real window, the command line against
# `bc -l` on the same 100,000-line file, its peak memory, and single lines of a million
# characters. Pass --quick for fewer repetitions.
set -euo pipefail
cd "$(dirname "$0")/.."
quick=${1:-}
./scripts/install-deps.sh
./scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median_ms() {  # median wall time of a command over N runs, in milliseconds
  local runs=$1; shift
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}

echo "== machine"
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"

echo "== units (Google Benchmark)"
if [ "$quick" = --quick ]; then
  build/orlinde-bench --benchmark_min_time=0.1
else
  build/orlinde-bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
fi

echo "== window (QTest, offscreen)"
QT_QPA_PLATFORM=offscreen build/orlinde-keystroke-bench $quick 2>/dev/null

echo "== batch: orlinde-cli against bc -l on 100,000 distinct lines (median of 5)"
build/orlinde-batch-lines 100000 > "$work/lines.txt"
cli_ms=$(median_ms 5 sh -c "build/orlinde-cli < '$work/lines.txt'")
bc_ms=$(median_ms 5 sh -c "bc -l < '$work/lines.txt'")
echo "orlinde_cli_ms=$cli_ms bc_ms=$bc_ms ratio=$(awk "BEGIN { printf \"%.2f\", $cli_ms / $bc_ms }")"
peak_kib=$(/usr/bin/time -f %M build/orlinde-cli < "$work/lines.txt" 2>&1 >/dev/null | tail -1)
echo "orlinde_cli_peak_rss_mib=$(awk "BEGIN { printf \"%.1f\", $peak_kib / 1024 }")"

echo "== long lines through orlinde-cli (median of 3)"
awk 'BEGIN { s = ""; while (length(s) < 1000000) s = s "1.2.3(4+.5)--"; print substr(s, 1, 1000000) }' > "$work/basic.txt"
awk 'BEGIN { s = ""; while (length(s) < 1000000) s = s "sqrt(4)+12.5%*(3.5)^2-"; print substr(s, 1, 1000000) }' > "$work/scientific.txt"
echo "long_line_chars=1000000 mode=basic cli_ms=$(median_ms 3 sh -c "build/orlinde-cli < '$work/basic.txt'")"
echo "long_line_chars=1000000 mode=scientific cli_ms=$(median_ms 3 sh -c "build/orlinde-cli --scientific < '$work/scientific.txt'")"
