#!/usr/bin/env bash
# Fuzzes the old-format company-file reader (src/store/legacy) with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer. Built here with clang++
# straight from the sources, outside the CMake build (CI never builds it).
#
#   scripts/fuzz-legacy.sh [seconds]      default 60
#
# Seeds are the legacy-*.qdt test files and a few small databases written by
# the tests' database builder (see fuzz/legacy_dump_fuzz.cpp). Work files
# (binaries, corpus, crash inputs, log) go to $FORMET_FUZZ_DIR, default
# /tmp/formet-fuzz-legacy; corpus and crash inputs are kept between runs. Needs clang++ and libFuzzer's runtime
# (Debian: libclang-rt-14-dev). Exits non-zero when a crash was found.
set -euo pipefail

# The whole script is one function, read before it runs.
main() {
    seconds="${1:-60}"
    if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
        echo "usage: $0 [seconds]" >&2
        exit 2
    fi

    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    work="${FORMET_FUZZ_DIR:-/tmp/formet-fuzz-legacy}"
    mkdir -p "$work/corpus" "$work/seeds" "$work/artifacts"
    cp "$root"/tests/data/legacy/legacy-*.qdt "$work/seeds/"

    echo "writing extra seeds"
    clang++ -std=c++20 -O1 -DFORMET_LEGACY_FUZZ_SEEDS -I"$root/src" -I"$root/tests" \
        "$root/fuzz/legacy_dump_fuzz.cpp" "$root/tests/legacy/legacy_test_db.cpp" "$root"/src/store/legacy/*.cpp \
        -o "$work/write_seeds"
    "$work/write_seeds" "$work/seeds"

    # Byte strings the format is built from, to help mutations stay meaningful.
    cat > "$work/legacy.dict" <<'DICT'
old_header="** This is a Ledgerworks Database file version 1.0 **\x00\x00\x00"
standard_header="** This file contains an SQLite 2.1 database **\x00"
magic_le="\x28\x75\xe3\xda"
magic_be="\xda\xe3\x75\x28"
format3="\x03\x00\x00\x00"
format4="\x04\x00\x00\x00"
row1="\x80\x00\x00\x01"
empty_page="\x00\x00\x00\x00\x00\x00\x08\x00\xf8\x03\x00\x00"
create_table="CREATE TABLE "
ipk=" INTEGER PRIMARY KEY"
primary_key="PRIMARY KEY("
table="table\x00"
index="index\x00"
view="view\x00"
DICT

    binary="$work/legacy_dump_fuzz"
    echo "building $binary"
    clang++ -std=c++20 -g -O1 -fno-omit-frame-pointer \
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$root/src" \
        "$root/fuzz/legacy_dump_fuzz.cpp" "$root"/src/store/legacy/*.cpp \
        -o "$binary"

    echo "fuzzing for $seconds s"
    touch "$work/run-start"
    set +e
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$binary" \
        -max_total_time="$seconds" \
        -max_len=65536 \
        -timeout=10 \
        -rss_limit_mb=2048 \
        -dict="$work/legacy.dict" \
        -artifact_prefix="$work/artifacts/" \
        -print_final_stats=1 \
        "$work/corpus" "$work/seeds" > "$work/fuzz.log" 2>&1
    status=$?
    set -e

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

main "$@"
