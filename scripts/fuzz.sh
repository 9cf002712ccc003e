#!/usr/bin/env bash
# Runs the fuzz targets one after another, each for SECONDS, on its corpus
# (kept in build-fuzz/fuzz/corpus/TARGET, grown from the seeds cut from the
# shipped knowledge) with the dictionary of the formats. Builds the targets
# first (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer).
# An input that crashes, hangs, leaks or trips a sanitizer is kept in
# build-fuzz/fuzz/findings/TARGET/; the script then fails.
#
#   bash scripts/fuzz.sh SECONDS [TARGET...]     (default: every target)
#   LC_FUZZ_BUILD=folder bash scripts/fuzz.sh …  (another build folder)
#
# Several copies may run at once on different targets: the build step is
# serialised by a lock in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=${LC_FUZZ_BUILD:-build-fuzz}
jobs=${LC_JOBS:-2}

mkdir -p "$build"
exec 9>"$build/.build-lock"
flock 9
if [ ! -f "$build/build.ninja" ]; then
    # -O1 and line tables only: quicker to build, fast enough to fuzz.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DLC_FUZZ=ON
fi
cmake --build "$build" --target fuzz_all --parallel "$jobs"
flock -u 9
exec 9>&-

fuzzdir="$build/fuzz"
if [ $# -gt 0 ]; then
    targets=("$@")
else
    mapfile -t targets < "$fuzzdir/targets.txt"
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
summary=()
for t in "${targets[@]}"; do
    corpus="$fuzzdir/corpus/$t"
    findings="$fuzzdir/findings/$t"
    log="$fuzzdir/logs/$t.log"
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    maxlen=16384
    [ "$t" = archive ] && maxlen=131072
    echo "== $t: ${seconds}s"
    status=0
    "$fuzzdir/fuzz_$t" "$corpus" "$fuzzdir/seeds/$t" \
        -dict=fuzz/lumicara.dict -max_total_time="$seconds" -max_len="$maxlen" \
        -timeout=20 -rss_limit_mb=2560 -malloc_limit_mb=2560 -close_fd_mask=1 \
        -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1 || status=$?
    execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
    cov=$(echo "$last" | grep -o 'cov: [0-9]*' | grep -o '[0-9]*' || echo "?")
    ft=$(echo "$last" | grep -o 'ft: [0-9]*' | grep -o '[0-9]*' || echo "?")
    corp=$(echo "$last" | grep -o 'corp: [0-9]*' | grep -o '[0-9]*' || echo "?")
    if [ "$status" -ne 0 ]; then
        failed+=("$t")
        grep -E 'ERROR|SUMMARY|runtime error|fuzz reader|Test unit written' "$log" | head -8 || true
        summary+=("$(printf '%-22s %10s %6s %7s %6s  FAILED (%s)' "$t" "$execs" "$cov" "$ft" "$corp" "$log")")
    else
        summary+=("$(printf '%-22s %10s %6s %7s %6s  ok' "$t" "$execs" "$cov" "$ft" "$corp")")
    fi
done

printf '\n%-22s %10s %6s %7s %6s\n' target execs cov ft corpus
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]} (inputs under $fuzzdir/findings/)"
    exit 1
fi
