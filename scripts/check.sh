#!/usr/bin/env bash
# Quality gates beyond the tests: formatting, the core tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, and a timed libFuzzer run of the recording
# reader. Any finding fails the run. Expects scripts/install-deps.sh to have run.
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=${FUZZ_SECONDS:-60}

echo "== formatting"
git ls-files '*.h' '*.cpp' | xargs clang-format-14 --dry-run --Werror

echo "== tests under ASan and UBSan"
CC=clang-14 CXX=clang++-14 cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTAVREL_WERROR=ON -DTAVREL_SANITIZE=ON -DTAVREL_BUILD_BENCH=OFF
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  xvfb-run -a -s "-screen 0 1920x1080x24" \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"

echo "== fuzzing the recording reader for ${fuzz_seconds} s"
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVREL_SANITIZE=ON -DTAVREL_FUZZ=ON -DTAVREL_CORE_ONLY=ON -DTAVREL_BUILD_TESTS=OFF \
  -DTAVREL_BUILD_BENCH=OFF
cmake --build build-fuzz --target fuzz_readrecording fuzz_seeds
corpus=build-fuzz/corpus
rm -rf "$corpus" && mkdir -p "$corpus"
build-fuzz/fuzz/fuzz_seeds "$corpus"
mkdir -p build-fuzz/findings
build-fuzz/fuzz/fuzz_readrecording -max_total_time="$fuzz_seconds" -timeout=10 \
  -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 "$corpus"
