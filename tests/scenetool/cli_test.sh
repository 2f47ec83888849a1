#!/bin/sh
# The scene tool from the command line: build in both forms, list, and the
# exit code and message on a damaged or missing file.
set -u
tool="$1"; description="$2"
dir=$(mktemp -d); trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$tool" build "$description" "$dir/a.sce" || fail "build 4600"
"$tool" build "$description" "$dir/b.sce" --form 4500 || fail "build 4500"
"$tool" dump "$dir/a.sce" > "$dir/a.txt" || fail "dump 4600"
"$tool" dump "$dir/b.sce" > "$dir/b.txt" || fail "dump 4500"
cmp -s "$dir/a.txt" "$dir/b.txt" || fail "the two forms list differently"
grep -q '^page 1 "DEBUT"' "$dir/a.txt" || fail "listing lacks the first page"

head -c 40 "$dir/a.sce" > "$dir/cut.sce"
out=$("$tool" dump "$dir/cut.sce" 2>&1); rc=$?
[ $rc -eq 1 ] || fail "damaged dump exit $rc"
echo "$out" | grep -q "Ce fichier de scène est endommagé" || fail "damaged dump message: $out"

out=$("$tool" dump "$dir/none.sce" 2>&1); rc=$?
[ $rc -eq 1 ] || fail "missing dump exit $rc"
echo "$out" | grep -q "Fichier inexistant" || fail "missing dump message: $out"

# A grid scene cut at every fifth length: each message names what it
# counted in French, "de" elided before a vowel ("nombre d'attributs de
# cases").
cat > "$dir/g.txt" <<'EOF'
scene
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
object kind=tableau name="T" rect=0,0,3000,3000
  grid cols=2 rows=2
  cell col=1 row=1 text="1"
  attribute col=1 row=1 editable=-1 type=1
  attribute col=2 row=1 editable=-1 type=1
EOF
"$tool" build "$dir/g.txt" "$dir/g.sce" || fail "build grid scene"
taille=$(wc -c < "$dir/g.sce")
i=0
: > "$dir/messages.txt"
while [ "$i" -lt "$taille" ]; do
    head -c "$i" "$dir/g.sce" > "$dir/g-cut.sce"
    "$tool" dump "$dir/g-cut.sce" >> "$dir/messages.txt" 2>&1 && fail "cut at $i accepted"
    i=$((i + 5))
done
if grep -E "(^| )de ([aeiouAEIOU]|é|è|à|ê)" "$dir/messages.txt" | head -3 | grep .; then
    fail "de before a vowel"
fi
grep -q "nombre d'attributs de cases" "$dir/messages.txt" || fail "no cut reached the cell attributes"

printf 'scene width=oops\n' > "$dir/bad.txt"
"$tool" build "$dir/bad.txt" "$dir/bad.sce" 2>/dev/null && fail "bad description accepted"
[ -e "$dir/bad.sce" ] && fail "bad description left a file"
echo "1 passed, 0 failed"
