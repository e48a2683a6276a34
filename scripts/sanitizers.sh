#!/usr/bin/env bash
# The test suite under the sanitizers, each build in a directory of its own:
#   build-asan  everything with AddressSanitizer and UndefinedBehaviorSanitizer
#               (any undefined behaviour is an error); the whole suite runs.
#   build-tsan  the Qt-free layers with ThreadSanitizer; their tests run on
#               four threads, the parallel grid, mirror and stream-line passes
#               among them.
#   build-fuzz  the fuzz targets under libFuzzer, a few seconds each.
# The benchmarks are left out. scripts/setup.sh test runs this after the
# normal suite; BREVANTO_CMAKE_OPTIONS passes further options on.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# shellcheck disable=SC2086
configure() {
    local dir=$1 flags=$2
    shift 2
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREVANTO_BENCHMARKS=OFF \
        -DCMAKE_CXX_FLAGS="$flags -fno-omit-frame-pointer" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
        ${BREVANTO_CMAKE_OPTIONS:-} "$@" >/dev/null
}

echo "== AddressSanitizer and UndefinedBehaviorSanitizer: the whole suite"
configure build-asan "-fsanitize=address,undefined -fno-sanitize-recover=undefined"
cmake --build build-asan -j 2
(
    cd build-asan
    export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
    # The recorded checksums are of the normal build's results: under the
    # instrumentation GCC computes some field values differently in their
    # ninth digit (the pictures stay the same), so they are not compared
    # here. The command-line tests still run every example.
    QT_QPA_PLATFORM=offscreen ctest -j 2 --output-on-failure -E '^ReferenceOutputs'
)

echo "== ThreadSanitizer: the Qt-free layers on four threads"
configure build-tsan "-fsanitize=thread"
layers=(platform_tests model_tests radiation_tests objects_tests display_tests files_tests)
cmake --build build-tsan -j 2 --target "${layers[@]}"
for tests in "${layers[@]}"; do
    echo "-- $tests"
    # ThreadSanitizer cannot map its shadow memory under the kernel's
    # randomized address layout; setarch -R turns it off for the run.
    BREVANTO_THREADS=4 TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
        setarch "$(uname -m)" -R "build-tsan/tests/$tests" --gtest_brief=1
done

echo "== libFuzzer: each fuzz target for a few seconds"
scripts/fuzz.sh 10
