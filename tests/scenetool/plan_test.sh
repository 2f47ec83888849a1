#!/bin/sh
# Plan documents from the command line: entries given over the sample saved
# as a document by the program's own save, loaded again over the scene (the
# values follow), listed against the scene; a cut document is refused with
# the program's message and exit code 1, and the save leaves no temporary
# file behind.
set -u
tool="$1"; description="$2"; sample="${3:-}"
dir=$(mktemp -d); trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
tab=$(printf '\t')

"$tool" build "$description" "$dir/s.sce" || fail "build"
"$tool" values "$dir/s.sce" --set DEBUT:TRESORERIE:2:2=21000 --save "$dir/p.tvr" > /dev/null || fail "save"
[ -f "$dir/p.tvr" ] || fail "no document"
[ "$(ls -A "$dir" | grep -c '^\.')" = 0 ] || fail "temporary file left: $(ls -A "$dir")"
"$tool" values "$dir/s.sce" --page DEBUT --plan "$dir/p.tvr" > "$dir/v.txt" || fail "values --plan"
grep -qx "DEBUT${tab}TRESORERIE${tab}2${tab}4${tab}30 000,0" "$dir/v.txt" || fail "loaded total: $(cat "$dir/v.txt")"
"$tool" plan "$dir/s.sce" "$dir/p.tvr" > "$dir/l.txt" || fail "plan"
grep -qx "DEBUT${tab}TRESORERIE${tab}2${tab}2${tab}entree${tab}21000" "$dir/l.txt" || fail "entry listed: $(cat "$dir/l.txt")"
grep -q "^TEXTE_RICHE${tab}PRESENTATION${tab}texte${tab}" "$dir/l.txt" || fail "kept text listed"
[ "$(grep -c '^etape' "$dir/l.txt")" = 45 ] || fail "45 steps"
# Saving again from the document loaded writes the same bytes.
"$tool" values "$dir/s.sce" --plan "$dir/p.tvr" --save "$dir/q.tvr" > /dev/null || fail "save again"
cmp -s "$dir/p.tvr" "$dir/q.tvr" || fail "write, read, write differs"
head -c 100 "$dir/p.tvr" > "$dir/c.tvr"
"$tool" plan "$dir/s.sce" "$dir/c.tvr" > /dev/null 2> "$dir/e.txt"
[ $? = 1 ] || fail "cut document accepted"
grep -qx "Une erreur est survenue pendant le chargement" "$dir/e.txt" || fail "message: $(cat "$dir/e.txt")"
# The sample's own document, made at build time: it loads over the sample
# and writes back to the same bytes.
if [ -n "$sample" ] && [ -f "$sample/sample.tvr" ]; then
    "$tool" values "$sample/sample.sce" --plan "$sample/sample.tvr" --save "$dir/r.tvr" > /dev/null || fail "sample document"
    cmp -s "$sample/sample.tvr" "$dir/r.tvr" || fail "sample document: write, read, write differs"
    "$tool" values "$sample/sample.sce" --page DEBUT --plan "$sample/sample.tvr" > "$dir/s.txt" || fail "sample values"
    grep -qx "DEBUT${tab}TRESORERIE${tab}2${tab}4${tab}30 000,0" "$dir/s.txt" || fail "sample total: $(cat "$dir/s.txt")"
fi
echo ok
