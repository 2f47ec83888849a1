#!/bin/sh
# Script lines on the sample from the command line, on the program's own
# composition: the IMPRESSION page's print script, line by line, prints
# the plan to a PDF file, read back with poppler's pdfinfo and pdftotext:
# as many pages as the preview counted, the cover without header, each
# later page numbered from 1 in its header, no marker left, the forecast's
# label column on each of its bands; with a plan document, its entries.
# A print without a file, a file in a
# folder that does not exist, a print of nothing printable and an unknown
# page fail with exit code 1.
set -u
tool="$1"; description="$2"
dir=$(mktemp -d); trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
command -v pdftotext > /dev/null && command -v pdfinfo > /dev/null || fail "pdftotext and pdfinfo (poppler-utils) are missing"

"$tool" build "$description" "$dir/s.sce" || fail "build"
# The lines of the plan's print script, as the button runs them.
sed -n '/^object kind=action name="SCRIPT_PLAN"/,/^FIN$/p' "$description" | sed '1d;$d' > "$dir/lignes.txt"
[ -s "$dir/lignes.txt" ] || fail "no print script in the sample"
set --
while IFS= read -r ligne; do set -- "$@" "$ligne"; done < "$dir/lignes.txt"

"$tool" script "$dir/s.sce" --page IMPRESSION --file "$dir/plan.pdf" "$@" > "$dir/sortie.txt" 2> "$dir/erreurs.txt" \
    || fail "script: $(cat "$dir/erreurs.txt")"
n=$(sed -n 's/^impression : \([0-9]*\) pages, .*/\1/p' "$dir/sortie.txt")
[ -n "$n" ] && [ "$n" -ge 4 ] || fail "pages printed: $(cat "$dir/sortie.txt")"
pages=$(pdfinfo "$dir/plan.pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = "$n" ] || fail "the PDF has $pages pages, the preview $n"

pdftotext -layout -f 1 -l 1 "$dir/plan.pdf" "$dir/p1.txt"
grep -q "Boulangerie de quartier" "$dir/p1.txt" || fail "cover: $(cat "$dir/p1.txt")"
grep -q "Page " "$dir/p1.txt" && fail "the cover has a header"
p=2
while [ "$p" -le "$n" ]; do
    pdftotext -layout -f "$p" -l "$p" "$dir/plan.pdf" "$dir/p.txt"
    grep -q "Page $((p - 1)) / $((n - 1))" "$dir/p.txt" || fail "page $p: $(cat "$dir/p.txt")"
    p=$((p + 1))
done
pdftotext "$dir/plan.pdf" "$dir/tout.txt"
for marqueur in "<#" "<TABULATION>" "NUMERO DE PAGE RUBRIQUE"; do
    grep -qF "$marqueur" "$dir/tout.txt" && fail "marker $marqueur left"
done
# The grids computed, though play started on the IMPRESSION page.
grep -q "24000,00" "$dir/tout.txt" || fail "the cash grid's total"
grep -q "13142,30" "$dir/tout.txt" || fail "the forecast's second-year instalments"
bandes=$(grep -c "Échéance d'emprunt" "$dir/tout.txt")
[ "$bandes" -ge 3 ] || fail "the forecast's label column on $bandes bands"

# A plan document opened over the scene: its entry is printed.
"$tool" values "$dir/s.sce" --set DEBUT:TRESORERIE:2:2=21000 --save "$dir/p.tvr" > /dev/null || fail "save a plan"
"$tool" script "$dir/s.sce" --plan "$dir/p.tvr" --page IMPRESSION --file "$dir/tresorerie.pdf" \
    "QUE PASSEVALEUR = IMPRIMEPREPAREDEBUT(1)" "QUE PASSEVALEUR = RECALCULOBJET('DEBUT';'TRESORERIE')" \
    "QUE PASSEVALEUR = IMPRIMEOBJET('DEBUT';'TRESORERIE';0)" "QUE PASSEVALEUR = IMPRIMEPREPAREFIN(1)" \
    > /dev/null 2>&1 || fail "script --plan"
pdftotext "$dir/tresorerie.pdf" - | grep -q "30000,00" || fail "the plan's total: $(pdftotext "$dir/tresorerie.pdf" -)"

# Failures.
out=$("$tool" script "$dir/s.sce" --page IMPRESSION "$@" 2>&1); rc=$?
[ $rc -eq 1 ] || fail "no file: exit $rc"
echo "$out" | grep -q "aucun fichier" || fail "no file: $out"
out=$("$tool" script "$dir/s.sce" --page IMPRESSION --file "$dir/absent/plan.pdf" "$@" 2>&1); rc=$?
[ $rc -eq 1 ] || fail "missing folder: exit $rc"
echo "$out" | grep -q "L'impression n'a pas pu commencer." || fail "missing folder: $out"
[ -e "$dir/absent/plan.pdf" ] && fail "a file in a missing folder"
# A job with nothing to print, empty or of a grid whose rows and columns
# are all left out of printing, says so and writes no file.
rien() {
    out=$("$tool" script "$dir/s.sce" --page IMPRESSION --file "$dir/rien.pdf" \
        "QUE PASSEVALEUR = IMPRIMEPREPAREDEBUT(1)" "$@" "QUE PASSEVALEUR = IMPRIMEPREPAREFIN(1)" 2>&1); rc=$?
    [ $rc -eq 1 ] || fail "nothing to print ($*): exit $rc"
    echo "$out" | grep -qx "impression : rien à imprimer" || fail "nothing to print ($*): $out"
    [ -e "$dir/rien.pdf" ] && fail "a file for nothing to print ($*)"
}
rien
rien "QUE PASSEVALEUR = ZONENONIMPRIMABLE('DEBUT';'TRESORERIE';1;1;255;255)" \
    "QUE PASSEVALEUR = IMPRIMEOBJET('DEBUT';'TRESORERIE';0)"
out=$("$tool" script "$dir/s.sce" --page NULLE_PART "QUE PASSEVALEUR = 1" 2>&1); rc=$?
[ $rc -eq 1 ] || fail "unknown page: exit $rc"
echo "$out" | grep -q "page inconnue NULLE_PART" || fail "unknown page: $out"
"$tool" script "$dir/s.sce" "QUE PASSEVALEUR = 1" 2>/dev/null && fail "no page accepted"
echo "1 passed, 0 failed"
