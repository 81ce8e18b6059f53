#!/usr/bin/env bash
# Builds the benchmarks into build/ (optimised, no sanitizers) and runs them: the window logic
# against the floor of reading the file, painting into an offscreen image with the window font,
# and the start-up time and peak memory of the program. Writes the table of figures to
# bench/RESULTS.md. Not part of the tests: timings depend on the machine and its load.
# Extra arguments go to both benchmark programs (for example --benchmark_filter=Hex).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build="${M1VIEW_BENCH_BUILD:-build}"
jobs=$(nproc)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DM1VIEW_BENCH=ON -DM1VIEW_TESTS=ON \
  -DM1VIEW_SANITIZE=OFF >/dev/null
targets=(m1view-bench m1view-bench-explain m1view-bench-content m1view-bench-survey m1view-info)
if grep -q '^M1VIEW_GUI:BOOL=ON' "$build/CMakeCache.txt"; then
  targets+=(m1view-bench-qt m1view-bench-startup)
fi
cmake --build "$build" -j"$jobs" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
tables=$(mktemp -d)
trap 'rm -rf "$tables"' EXIT

"$build/m1view-bench" --markdown="$tables/logic.md" "$@"
# The byte explainer; m1view-info --summary -r over 1000 images against cat (whole processes).
"$build/m1view-bench-explain" --markdown="$tables/explain.md" "$@"
# The decoders of file contents: a BASIC program listed, a load module disassembled.
"$build/m1view-bench-content" --markdown="$tables/content.md" "$@"
"$build/m1view-bench-survey" --markdown="$tables/survey.md"
if [ -x "$build/m1view-bench-qt" ]; then
  "$build/m1view-bench-qt" --markdown="$tables/qt.md" "$@"
  "$build/m1view-bench-startup" --markdown="$tables/startup.md"
fi

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)
{
  echo "# Benchmark figures"
  echo
  echo "Produced by \`bash scripts/bench.sh\` on $(date -u +%Y-%m-%d): ${cpu:-unknown CPU}, $jobs cores,"
  echo "$(uname -sr), Qt platform offscreen. Medians of 9 repetitions (start-up: of 7 runs), all"
  echo "measured in one run so the ratios hold; the file is read from the page cache."
  echo
  cat "$tables/logic.md"
  sed 1,2d "$tables/explain.md"
  sed 1,2d "$tables/content.md"
  sed 1,2d "$tables/survey.md"
  [ -f "$tables/qt.md" ] && sed 1,2d "$tables/qt.md"
  [ -f "$tables/startup.md" ] && cat "$tables/startup.md"
} > bench/RESULTS.md
echo
echo "bench: figures written to bench/RESULTS.md"
