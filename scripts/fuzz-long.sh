#!/usr/bin/env bash
# The long pass, run by hand before a release: every fuzz target for FUZZ_RUNS inputs (default
# 1,000,000 each) from its corpus, then the random-operation tester for RANDOM_STEPS steps
# (default 10,000,000, in runs of 1,000 from seed RANDOM_SEED), all from the fuzz preset's build
# (clang, AddressSanitizer + UBSan). New corpus finds, crashes (crash-*, leak-*, timeout-*) and
# logs go to build/fuzz-long/; every failing random run is shrunk and written to
# build/fuzz-long/random/random-seed-N.json.
#     scripts/fuzz-long.sh                   # everything
#     scripts/fuzz-long.sh picture scenario  # only these fuzz targets, then the random tester
#     FUZZ_RUNS=0 scripts/fuzz-long.sh random   # only the random tester
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${FUZZ_RUNS:-1000000}
steps=${RANDOM_STEPS:-10000000}
seed=${RANDOM_SEED:-1000}
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
        build/fuzz/tests/fuzz/random_operations "$seed" $((steps / 1000)) 1000 "$out/random" \
            > "$out/random.log" 2>&1 || status=1
        echo "random: $(tail -n 1 "$out/random.log") ($((SECONDS - start)) s)"
        continue
    fi
    [ "$runs" -gt 0 ] || continue
    cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j 2 --target "fuzz_$target"
    mkdir -p "$out/$target"
    start=$SECONDS
    build/fuzz/tests/fuzz/"fuzz_$target" -runs="$runs" -max_len=65536 -timeout=60 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$out/$target/" "$out/$target" "tests/fuzz/corpus/$target" \
        > "$out/$target.log" 2>&1 || status=1
    echo "$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$out/$target.log" || echo 'did not finish, see the log') ($((SECONDS - start)) s)"
done
exit $status
