#!/usr/bin/env bash
# Prints the W-2 Copy B, the W-3 copy and the 1099-MISC Copy B of the Sample
# Company on blank paper and renders the upper form of each to a PNG for the
# README (needs poppler-utils); then records its W-2s as filed, changes one,
# and renders the W-2c Copy B and the W-3c of that correction (with an
# explanation of its own), and the reissued statement of an employee; then
# records its 1099-MISCs as filed, changes an amount (one return) and a TIN
# (two returns), and renders the corrected Copy B sheet and the 1096 that
# sends the corrections.
#   scripts/print-renders.sh [build folder] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/images}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$build/bin/DatabaseFiles" "$scratch/data"
cli() { "$build/bin/formet-cli" --data-dir "$scratch/data" "$@" >/dev/null 2>&1; }
cli print w2 "Sample Company" --all --paper copy --copy B --out "$scratch/w2.pdf"
cli print w3 "Sample Company" --paper copy --out "$scratch/w3.pdf"
cli print 1099 "Sample Company" --all --paper copy --copy B --out "$scratch/1099.pdf"
# Page 1 at 110 dots per inch: the upper form of the W-2 and the 1099-MISC,
# the form part of the W-3.
pdftoppm -r 110 -gray -png -singlefile -f 1 -l 1 -x 0 -y 40 -W 935 -H 640 "$scratch/w2.pdf" "$out/w2-copy-b"
pdftoppm -r 110 -gray -png -singlefile -f 1 -l 1 -x 0 -y 20 -W 935 -H 720 "$scratch/w3.pdf" "$out/w3-copy"
pdftoppm -r 110 -gray -png -singlefile -f 1 -l 1 -x 0 -y 20 -W 935 -H 620 "$scratch/1099.pdf" "$out/1099-copy-b"
cli mark-filed w2 "Sample Company" --on 2008-02-15
cli set-w2 "Sample Company" --ssn 412-55-1001 --box 1=49250 --box 2=5320 --box 12a=E:1500
cli print w2c "Sample Company" --all --copy B --out "$scratch/w2c.pdf"
cli set-w3c "Sample Company" --explain "Box 12 code D was reported for an elective deferral made under code E; box 2 withholding was corrected."
cli print w3c "Sample Company" --paper copy --out "$scratch/w3c.pdf"
cli print w2 "Sample Company" --reissued --ssn 412-55-1002 --out "$scratch/reissued.pdf"
pdftoppm -r 110 -gray -png -singlefile -f 1 -l 1 -x 0 -y 20 -W 935 -H 1160 "$scratch/w2c.pdf" "$out/w2c-copy-b"
pdftoppm -r 110 -gray -png -singlefile -f 1 -l 1 -x 0 -y 20 -W 935 -H 1010 "$scratch/w3c.pdf" "$out/w3c"
pdftoppm -r 110 -gray -png -singlefile -f 1 -l 1 -x 0 -y 40 -W 935 -H 640 "$scratch/reissued.pdf" "$out/w2-reissued-copy-b"
cli mark-filed 1099 "Sample Company" --on 2008-02-28
cli set-1099 "Sample Company" --tin 37-1190456 --box 1=18500
cli set-contractor "Sample Company" --tin 345-67-8901 --new-tin 345-67-8910
cli print 1099 "Sample Company" --corrected --all --copy B --out "$scratch/1099c.pdf"
cli print 1096 "Sample Company" --corrected --paper copy --out "$scratch/1096c.pdf"
# The sheet of the two-return correction: step 1 above, step 2 below.
pdftoppm -r 80 -gray -png -singlefile -f 1 -l 1 -x 0 -y 0 -W 680 -H 900 "$scratch/1099c.pdf" "$out/1099-corrected-copy-b"
pdftoppm -r 80 -gray -png -singlefile -f 1 -l 1 -x 0 -y 0 -W 680 -H 880 "$scratch/1096c.pdf" "$out/1096-corrected"
echo "wrote $out/w2-copy-b.png, $out/w3-copy.png, $out/1099-copy-b.png, $out/w2c-copy-b.png, $out/w3c.png," \
  "$out/w2-reissued-copy-b.png, $out/1099-corrected-copy-b.png and $out/1096-corrected.png"
