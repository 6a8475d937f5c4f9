# What the fuzz scripts share (sourced, not run). Needs clang++ and
# libFuzzer's runtime (Debian: libclang-rt-14-dev).

# fuzz_build BINARY SOURCE...: a libFuzzer target with AddressSanitizer and
# UndefinedBehaviorSanitizer, headers from src/.
fuzz_build() {
    local binary="$1"
    shift
    echo "building $binary"
    clang++ -std=c++20 -g -O1 -fno-omit-frame-pointer \
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$root/src" "$@" -o "$binary"
}

# fuzz_run BINARY WORK DICT SECONDS TIMEOUT: fuzzes over WORK/corpus (kept
# between runs) and WORK/seeds, crash inputs in WORK/artifacts, the log in
# WORK/fuzz.log; prints the executions and the corpus size, and exits 1 with
# the inputs and the log's error lines when anything was found.
fuzz_run() {
    local binary="$1" work="$2" dict="$3" seconds="$4" timeout="$5"
    echo "fuzzing for $seconds s"
    touch "$work/run-start"
    set +e
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$binary" \
        -max_total_time="$seconds" \
        -max_len=65536 \
        -timeout="$timeout" \
        -rss_limit_mb=2048 \
        -dict="$dict" \
        -artifact_prefix="$work/artifacts/" \
        -print_final_stats=1 \
        "$work/corpus" "$work/seeds" > "$work/fuzz.log" 2>&1
    local status=$?
    set -e

    local executions rate crashes
    executions="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/fuzz.log" | grep -o '[0-9]*$' || true)"
    rate="$(grep -o 'exec/s: *[0-9]*' "$work/fuzz.log" | tail -1 | grep -o '[0-9]*$' || true)"
    echo "executions: ${executions:-unknown} (last reported ${rate:-?} exec/s)"
    echo "corpus: $(ls "$work/corpus" | wc -l) inputs in $work/corpus"
    crashes="$(find "$work/artifacts" -type f -newer "$work/run-start" 2>/dev/null || true)"
    if [ "$status" -ne 0 ] || [ -n "$crashes" ]; then
        echo "FINDINGS (exit status $status), inputs:"
        echo "$crashes"
        grep -E -A25 'ERROR: |runtime error|deadly signal|Timeout|out-of-memory' "$work/fuzz.log" | head -60
        exit 1
    fi
    echo "no crash; log in $work/fuzz.log"
}
