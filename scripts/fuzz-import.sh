#!/usr/bin/env bash
# Fuzzes the import's file reading (src/import: the line splitter, the
# decoding of UTF-8, UTF-16 and Windows-1252 files, the table, the column
# checks) with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer.
# Built here with clang++ straight from the sources, outside the CMake build
# (CI never builds it).
#
#   scripts/fuzz-import.sh [seconds]      default 60
#
# Seeds are the import test files (tests/data/import) and a few written
# here. Work files (binary, corpus, crash inputs, log) go to
# $FORMET_FUZZ_DIR, default /tmp/formet-fuzz-import; corpus and crash inputs
# are kept between runs. Needs clang++ and libFuzzer's runtime (Debian:
# libclang-rt-14-dev). Exits non-zero when a crash was found.
set -euo pipefail

main() {
    seconds="${1:-60}"
    if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
        echo "usage: $0 [seconds]" >&2
        exit 2
    fi

    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    source "$root/scripts/fuzz-common.sh"
    work="${FORMET_FUZZ_DIR:-/tmp/formet-fuzz-import}"
    mkdir -p "$work/corpus" "$work/seeds" "$work/artifacts"
    # The first byte of an input chooses the separators: 0 comma and double
    # quote, 1 semicolon, 2 tab, 3 comma and apostrophe.
    for f in "$root"/tests/data/import/*; do
        { printf '\000'; cat "$f"; } > "$work/seeds/$(basename "$f")"
    done
    { printf '\001'; cat "$root/tests/data/import/w2-semicolon-1252.csv"; } > "$work/seeds/semicolon.csv"
    printf '\000\xff\xfeN\000a\000m\000e\000\n\000J\000o\000s\000\xe9\000\n\000' > "$work/seeds/utf16le.txt"
    printf '\002\xef\xbb\xbfA\tB\n"x\ty"\t\xc5\x81\n\n1\t2\n' > "$work/seeds/tab.txt"
    printf "\003'it''s',b,\n'a,b'c,,\r\n" > "$work/seeds/apostrophe.txt"
    printf '\000A,B\n+5,1.5E+03\n-0.001e-2,12.345\n' > "$work/seeds/numbers.csv"

    cat > "$work/import.dict" <<'DICT'
quote="\""
doubled="\"\""
apostrophe="'"
comma=","
semicolon=";"
tab="\x09"
crlf="\x0d\x0a"
lf="\x0a"
bom8="\xef\xbb\xbf"
bom16le="\xff\xfe"
bom16be="\xfe\xff"
exponent="E+03"
exponent_down="e-2"
plus="+"
point="."
ssn="123-45-6789"
state="NY"
c1="\xc2\x81"
euro="\xe2\x82\xac"
lstroke="\xc5\x81"
overlong="\xc0\x80"
surrogate="\xed\xa0\x80"
DICT

    binary="$work/import_fuzz"
    fuzz_build "$binary" "$root/fuzz/import_fuzz.cpp" \
        "$root/src/import/line_splitter.cpp" "$root/src/import/delimited_file.cpp" \
        "$root/src/import/column_checks.cpp" "$root/src/store/text_codec.cpp" \
        "$root/src/forms/money.cpp" "$root/src/records/states.cpp" "$root/src/records/payee_batch.cpp" \
        "$root/src/records/field_table.cpp" "$root/src/records/identifying_numbers.cpp" \
        "$root/src/kit/masked_edit_rules.cpp"
    # A generous time limit: on a busy shared machine a sanitized run of an
    # ordinary input has stalled past 10 s (see docs/import-fuzzing.md).
    fuzz_run "$binary" "$work" "$work/import.dict" "$seconds" 30
}

main "$@"
