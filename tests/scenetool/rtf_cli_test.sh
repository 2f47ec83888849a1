#!/bin/sh
# The scene tool's RTF command: the plain text and marker count of a file
# in LibreOffice's form, our writer's copy reading the same, and the exit
# code and reason on a refused or missing file.
set -u
tool="$1"; data="$2"
dir=$(mktemp -d); trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$tool" rtf "$data/lo_pages.rtf" > "$dir/a.txt" || fail "read"
grep -q '^Deuxième page : les coûts' "$dir/a.txt" || fail "plain text: $(cat "$dir/a.txt")"
grep -q '^¤$' "$dir/a.txt" || fail "marker line"
tail -n 1 "$dir/a.txt" | grep -q '^Marqueurs de page : 1$' || fail "marker count"

"$tool" rtf "$data/lo_pages.rtf" --write "$dir/copie.rtf" > /dev/null || fail "write"
"$tool" rtf "$dir/copie.rtf" > "$dir/b.txt" || fail "read back"
cmp -s "$dir/a.txt" "$dir/b.txt" || fail "the copy reads differently"
if command -v soffice > /dev/null 2>&1; then
    (cd "$dir" && soffice --headless --convert-to txt:Text copie.rtf > /dev/null 2>&1) || fail "soffice"
    grep -q 'Deuxième page' "$dir/copie.txt" || fail "soffice text"
fi

printf 'pas du RTF' > "$dir/mauvais.rtf"
out=$("$tool" rtf "$dir/mauvais.rtf" 2>&1); rc=$?
[ $rc -eq 1 ] || fail "refused file exit $rc"
echo "$out" | grep -q 'ne commence pas' || fail "refusal reason: $out"
out=$("$tool" rtf "$dir/absent.rtf" 2>&1); rc=$?
[ $rc -eq 1 ] || fail "missing file exit $rc"
echo "1 passed, 0 failed"
