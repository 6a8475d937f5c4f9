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
    source "$root/scripts/fuzz-common.sh"
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
    fuzz_build "$binary" "$root/fuzz/legacy_dump_fuzz.cpp" "$root"/src/store/legacy/*.cpp
    fuzz_run "$binary" "$work" "$work/legacy.dict" "$seconds" 10
}

main "$@"
