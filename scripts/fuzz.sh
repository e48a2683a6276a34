#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang's libFuzzer and the address and
# undefined-behaviour sanitizers and runs each for the given seconds, one
# after the other on one core:
#   scripts/fuzz.sh SECONDS [fuzz-scene-loader|fuzz-compute ...]
# SECONDS is per target; an hour each (3600) is a long run. With
# BREVANTO_FUZZ_RUNS set, a target also stops after that many executions. The build goes to
# BREVANTO_FUZZ_DIR (./build-fuzz unless set). The seeds are tests/fuzz/seeds;
# what the fuzzer finds new goes to DIR/corpus/TARGET, a crashing input to
# DIR/findings/, the fuzzer's output to DIR/TARGET.log. Each run ends with its
# number of executions.
# Needs clang-14 and libclang-rt-14-dev (scripts/setup.sh test installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${BREVANTO_FUZZ_DIR:-build-fuzz}
runs=${BREVANTO_FUZZ_RUNS:-}

seconds=${1:-}
if [[ ! $seconds =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS [TARGET...]" >&2
    exit 2
fi
shift
targets=("$@")
((${#targets[@]})) || targets=(fuzz-scene-loader fuzz-compute)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset fuzz -B "$dir" "${launcher[@]}" >/dev/null
cmake --build "$dir" -j 2 --target "${targets[@]}"

mkdir -p "$dir/findings"
status=0
for target in "${targets[@]}"; do
    mkdir -p "$dir/corpus/$target"
    echo "== $target for $seconds s"
    # Inputs up to 64 kB: scene files are a few kB; the reader's limits on
    # long lines and large files have tests of their own.
    if ! "$dir/$target" -max_total_time="$seconds" ${runs:+-runs="$runs"} -dict=tests/fuzz/scene.dict -max_len=65536 \
        -timeout=30 -rss_limit_mb=3072 -print_final_stats=1 -artifact_prefix="$dir/findings/$target-" \
        "$dir/corpus/$target" tests/fuzz/seeds 2>"$dir/$target.log"; then
        status=1
        tail -n 60 "$dir/$target.log" >&2
    fi
    awk -v target="$target" '/^stat::number_of_executed_units/ { runs = $2 }
        /^stat::average_exec_per_sec/ { rate = $2 } /^stat::new_units_added/ { added = $2 }
        /^stat::peak_rss_mb/ { rss = $2 }
        END { printf "%s: %s executions, %s per second, %s new inputs, peak %s MB\n", target, runs, rate, added, rss }' \
        "$dir/$target.log"
done
exit $status
