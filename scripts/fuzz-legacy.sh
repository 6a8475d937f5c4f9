#!/usr/bin/env bash
# Fuzzes the old-format company-file reader (src/store/legacy) and the
# conversion's build of a company from it (src/store/conversion.cpp, into an
# in-memory database guarded by tests/sql_guard.h) with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer. Built here with clang++
# straight from the sources, outside the CMake build (CI never builds it).
#
#   scripts/fuzz-legacy.sh [seconds]      default 60
#
# Seeds are the legacy-*.qdt test files and a few small databases written by
# the tests' database builder (see fuzz/legacy_dump_fuzz.cpp), companies of
# each schema version among them, one carrying SQL in its schema. Work files
# (binaries, corpus, crash inputs, log) go to $FORMET_FUZZ_DIR, default
# /tmp/formet-fuzz-legacy; corpus and crash inputs are kept between runs. Needs clang++ and libFuzzer's runtime
# (Debian: libclang-rt-14-dev) and the SQLite headers (libsqlite3-dev). Exits
# non-zero when a crash was found.
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
        "$root/fuzz/legacy_dump_fuzz.cpp" "$root/tests/legacy/legacy_test_db.cpp" \
        "$root/tests/legacy/legacy_company.cpp" "$root"/src/store/legacy/*.cpp \
        "$root/src/store/schema.cpp" "$root/src/store/sql_format.cpp" \
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
trigger="trigger\x00"
commit="COMMIT;"
attach=" ATTACH "
attach_as="ATTACH 'x' AS x;"
backtick="`"
backtick_quote="`'`"
quote="'"
dquote="\""
bracket="["
comment="--"
block_comment="/*"
create_trigger="CREATE TRIGGER "
create_view="CREATE VIEW "
create_index="CREATE INDEX "
delete_from="DELETE FROM "
drop_table="DROP TABLE "
pragma="PRAGMA "
semicolon=";"
version_table="Version"
version_column="FormetVersion"
employees="Employees"
w2="W2"
transmitter="EFiling_1099_Transmitter"
integer_pk="INTEGER PRIMARY KEY"
nvarchar="NVARCHAR(21)"
DICT

    binary="$work/legacy_dump_fuzz"
    fuzz_build "$binary" -I"$root/tests" "$root/fuzz/legacy_dump_fuzz.cpp" "$root"/src/store/legacy/*.cpp \
        "$root"/src/store/{conversion,company_database,company_file_vfs,records,schema,sql_format,text_codec}.cpp \
        -lsqlite3
    fuzz_run "$binary" "$work" "$work/legacy.dict" "$seconds" 10
}

main "$@"
