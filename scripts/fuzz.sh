#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and the address and
# undefined-behaviour sanitizers in ./build-fuzz, and runs each for the given
# seconds, one after the other on one core:
#   scripts/fuzz.sh SECONDS [fuzz-scene-loader|fuzz-compute ...]
# The seeds are examples/, tests/data/ and tests/fuzz/seeds/; what the fuzzer
# finds new goes to build-fuzz/corpus/TARGET, a crashing input to
# build-fuzz/findings/. Each run ends with its number of executions.
# Needs clang-14 and libclang-rt-14-dev (scripts/setup.sh test installs them).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-}
if [[ ! $seconds =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS [TARGET...]" >&2
    exit 2
fi
shift
targets=("$@")
((${#targets[@]})) || targets=(fuzz-scene-loader fuzz-compute)

CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREVANTO_FUZZ=ON \
    -DBUILD_TESTING=OFF -DBREVANTO_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j 2 --target "${targets[@]}"

mkdir -p build-fuzz/findings
status=0
for target in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$target"
    echo "== $target for $seconds s"
    # Inputs up to 64 kB: scene files are a few kB; the reader's limits on
    # long lines and large files have tests of their own.
    if ! "build-fuzz/$target" -max_total_time="$seconds" -dict=tests/fuzz/scene.dict -max_len=65536 \
        -timeout=30 -rss_limit_mb=3072 -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$target-" \
        "build-fuzz/corpus/$target" examples tests/data tests/fuzz/seeds 2>"build-fuzz/$target.log"; then
        status=1
        tail -n 60 "build-fuzz/$target.log" >&2
    fi
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "build-fuzz/$target.log" || true
done
exit $status
