#!/bin/sh
# The computed grids of the sample from the command line: the plan as
# play shows it, an entry given as a user's edit changing its dependants
# and the total, in both scene forms; a damaged scene gives the loader's
# message and exit code 1.
set -u
tool="$1"; description="$2"
dir=$(mktemp -d); trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
tab=$(printf '\t')

for form in 4600 4500; do
    "$tool" build "$description" "$dir/s.sce" --form $form || fail "build $form"
    "$tool" values "$dir/s.sce" > "$dir/v.txt" || fail "values $form"
    grep -qx "DEBUT${tab}TRESORERIE${tab}2${tab}4${tab}24 000,0" "$dir/v.txt" || fail "total $form: $(cat "$dir/v.txt")"
    grep -qx "DEBUT${tab}TRESORERIE${tab}3${tab}2${tab}1 250,0" "$dir/v.txt" || fail "monthly $form"
    "$tool" values "$dir/s.sce" --page DEBUT --set DEBUT:TRESORERIE:2:2=21000 > "$dir/w.txt" || fail "set $form"
    grep -qx "DEBUT${tab}TRESORERIE${tab}2${tab}2${tab}21 000,0" "$dir/w.txt" || fail "entry $form"
    grep -qx "DEBUT${tab}TRESORERIE${tab}3${tab}2${tab}1 750,0" "$dir/w.txt" || fail "dependant $form"
    grep -qx "DEBUT${tab}TRESORERIE${tab}2${tab}4${tab}30 000,0" "$dir/w.txt" || fail "new total $form"
    grep -qx "DEBUT${tab}TRESORERIE${tab}3${tab}4${tab}2 500,0" "$dir/w.txt" || fail "new monthly total $form"
done

head -c 40 "$dir/s.sce" > "$dir/cut.sce"
out=$("$tool" values "$dir/cut.sce" 2>&1); rc=$?
[ $rc -eq 1 ] || fail "damaged values exit $rc"
echo "$out" | grep -q "Ce fichier de scène est endommagé" || fail "damaged values message: $out"
"$tool" values "$dir/s.sce" --set "DEBUT:TRESORERIE:x:1=2" 2>/dev/null && fail "bad --set accepted"
"$tool" values "$dir/s.sce" --set "DEBUT:AUCUNE:1:1=2" 2>/dev/null && fail "unknown grid accepted"
echo "1 passed, 0 failed"
