#!/usr/bin/env bash
# The long pass, run by hand before a release: every fuzz target for FUZZ_RUNS inputs (default
# 1,000,000 each) from its corpus, then the random-operation tester for RANDOM_STEPS steps
# (default 10,000,000, in runs of 1,000 from seed RANDOM_SEED, split over RANDOM_JOBS processes,
# default 2), all from the fuzz preset's build (clang, AddressSanitizer + UBSan). Inputs are up to
# libFuzzer's own limit (4 KB or the largest corpus file) unless FUZZ_MAX_LEN says otherwise.
# An input taking more than FUZZ_TIMEOUT seconds (default 60) is a finding; libFuzzer counts wall
# time, so a run paused (SIGSTOP) for longer than that ends with a false timeout.
# New corpus finds, crashes (crash-*, leak-*, timeout-*) and logs go to build/fuzz-long/; every
# failing random run is shrunk and written to build/fuzz-long/random/random-seed-N.json.
#     scripts/fuzz-long.sh                   # everything
#     scripts/fuzz-long.sh picture scenario  # only these fuzz targets
#     scripts/fuzz-long.sh random            # only the random tester
# Each random job logs to build/fuzz-long/random.<first seed>.log, so two passes with different
# RANDOM_SEEDs can run side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${FUZZ_RUNS:-1000000}
steps=${RANDOM_STEPS:-10000000}
seed=${RANDOM_SEED:-1000}
jobs=${RANDOM_JOBS:-2}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(property_bag drop_text picture text_convert scenario csv random)
scripts/setup-deps.sh
out=build/fuzz-long
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
mkdir -p "$out"
status=0
for target in "${targets[@]}"; do
    if [ "$target" = random ]; then
        cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j 2 --target random_operations
        start=$SECONDS
        runsTotal=$((steps / 1000))
        pids=()
        logs=()
        for ((job = 0; job < jobs; job++)); do
            # Job k takes every run from its share of the seeds: seed + k * share onwards.
            share=$(((runsTotal + jobs - 1) / jobs))
            first=$((seed + job * share))
            count=$((runsTotal - job * share < share ? runsTotal - job * share : share))
            [ "$count" -gt 0 ] || continue
            build/fuzz/tests/fuzz/random_operations "$first" "$count" 1000 "$out/random" \
                > "$out/random.$first.log" 2>&1 &
            pids+=($!)
            logs+=("$out/random.$first.log")
        done
        for pid in "${pids[@]}"; do wait "$pid" || status=1; done
        for log in "${logs[@]}"; do echo "$log: $(tail -n 1 "$log")"; done
        echo "random: $((SECONDS - start)) s"
        continue
    fi
    [ "$runs" -gt 0 ] || continue
    cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j 2 --target "fuzz_$target"
    mkdir -p "$out/$target"
    start=$SECONDS
    build/fuzz/tests/fuzz/"fuzz_$target" -runs="$runs" ${FUZZ_MAX_LEN:+-max_len=$FUZZ_MAX_LEN} -timeout="${FUZZ_TIMEOUT:-60}" \
        -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$out/$target/" "$out/$target" \
        "tests/fuzz/corpus/$target" > "$out/$target.log" 2>&1 || status=1
    echo "$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$out/$target.log" || echo 'did not finish, see the log') ($((SECONDS - start)) s)"
done
exit $status
