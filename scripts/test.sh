#!/usr/bin/env bash
# Builds everything into build/ and runs every test; then builds the logic once more with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs its tests there; last,
# builds the fuzz targets with clang into build-fuzz/ and fuzzes each window, the physical listing,
# the file-system readers and the decoders of file contents for a minute; last, checks that every
# tracked source file is formatted by the root .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DM1VIEW_SANITIZE=ON -DM1VIEW_GUI=OFF \
  -DM1VIEW_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DM1VIEW_FUZZ=ON \
  -DM1VIEW_GUI=OFF -DM1VIEW_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzz_main fuzz_map fuzz_hex fuzz_disk fuzz_listing \
  fuzz_filesystem fuzz_content
ctest --test-dir build-fuzz --output-on-failure -L fuzz -j"$jobs"

# Every tracked C++ source is formatted by the root .clang-format (clang-format-14, installed by
# the set-up); the check lists each file that is not and fails.
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror
