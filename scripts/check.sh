#!/usr/bin/env bash
# Quality gates beyond the tests: formatting, the recording core built and
# tested alone (no Qt), every test under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a timed libFuzzer run of the recording
# reader. Any finding fails the run. Expects scripts/install-deps.sh to have run.
set -euo pipefail
cd "$(dirname "$0")/.."

# Configures a build folder with the given compiler. A folder configured
# before with another compiler would silently keep them: it is made anew.
configure() {
  local dir=$1 cxx
  cxx=$(command -v "$2")
  shift 2
  if [ -f "$dir/CMakeCache.txt" ] &&
     ! grep -qx "CMAKE_CXX_COMPILER:[A-Z]*=$cxx" "$dir/CMakeCache.txt"; then
    rm -rf "$dir"
  fi
  cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" "$@"
}

fuzz_seconds=${FUZZ_SECONDS:-60}

echo "== formatting"
git ls-files '*.h' '*.cpp' | xargs clang-format-14 --dry-run --Werror

echo "== the recording core alone, without Qt"
configure build-coreonly g++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVREL_WERROR=ON \
  -DTAVREL_CORE_ONLY=ON -DTAVREL_BUILD_BENCH=OFF
cmake --build build-coreonly
ctest --test-dir build-coreonly --output-on-failure -j "$(nproc)"

echo "== tests under ASan and UBSan"
configure build-sanitize clang++-14 -DCMAKE_BUILD_TYPE=Debug \
  -DTAVREL_WERROR=ON -DTAVREL_SANITIZE=ON -DTAVREL_BUILD_BENCH=OFF
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  xvfb-run -a -s "-screen 0 1920x1080x24" \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"

echo "== fuzzing the recording reader for ${fuzz_seconds} s"
configure build-fuzz clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVREL_SANITIZE=ON -DTAVREL_FUZZ=ON -DTAVREL_CORE_ONLY=ON -DTAVREL_BUILD_TESTS=OFF \
  -DTAVREL_BUILD_BENCH=OFF
cmake --build build-fuzz --target fuzz_readrecording fuzz_seeds
corpus=build-fuzz/corpus
rm -rf "$corpus" && mkdir -p "$corpus"
build-fuzz/fuzz/fuzz_seeds "$corpus"
mkdir -p build-fuzz/findings
build-fuzz/fuzz/fuzz_readrecording -max_total_time="$fuzz_seconds" -timeout=10 \
  -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 "$corpus"
