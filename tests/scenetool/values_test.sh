#!/bin/sh
# The computed grids of the sample from the command line: the plan as
# play shows it, an entry given as a user's edit changing its dependants
# and the total, the currency table as formulas read it, in both scene
# forms, and saved from its page into a plan document; a damaged scene gives
# the loader's message and exit code 1.
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
    # The financial page: a loan of 36 000 at 0,5 % a month in 36 monthly
    # instalments from February 2025 (interest only in January), figures
    # computed independently (annuity of 1 095,19; interest on the balance);
    # depreciation over 5 years of 12 000 in January, 6 000 in July and a
    # second-year total of 2 400; the actual sales of the months closed on
    # 31 March, then with April entered and closed.
    "$tool" values "$dir/s.sce" --page FINANCES > "$dir/f.txt" || fail "finances $form"
    for attendu in "3 2 180,0" "4 2 1 095,2" "3 3 180,0" "4 3 180,0" "4 4 915,2" "14 4 962,0" \
                   "2 2 12 227,1" "2 3 1 904,5" "2 4 10 322,6" \
                   "15 2 13 142,3" "15 3 1 216,2" "15 4 11 926,1" "16 3 480,6" "16 4 12 661,6" \
                   "2 6 3 000,0" "15 6 4 080,0" "16 6 4 080,0" "2 10 32 100,0"; do
        c=${attendu%% *}; reste=${attendu#* }; r=${reste%% *}; v=${reste#* }
        grep -qx "FINANCES${tab}PREVISIONS${tab}$c${tab}$r${tab}$v" "$dir/f.txt" || fail "finances $c,$r $form: $(grep "PREVISIONS${tab}$c${tab}$r${tab}" "$dir/f.txt")"
    done
    "$tool" values "$dir/s.sce" --page FINANCES --set FINANCES:PREVISIONS:6:7=12000 \
        --set FINANCES:PREVISIONS:2:9=30/04/2025 > "$dir/g.txt" || fail "finances set $form"
    grep -qx "FINANCES${tab}PREVISIONS${tab}2${tab}10${tab}44 100,0" "$dir/g.txt" || fail "closed sales $form"
    # The currency page reads the currency table: names, rates, and the
    # names of the entries its conversion goes between.
    "$tool" values "$dir/s.sce" --page MONNAIES > "$dir/m.txt" || fail "currencies $form"
    for attendu in "TABLE 2 9 Franc Français" "TABLE 3 9 6,55957" "TABLE 6 9 0,00655957" \
                   "TABLE 5 10 A personnaliser" "CONVERSION 3 2 Franc Français" "CONVERSION 3 3 Euro" \
                   "CONVERSION 3 4 0,152449"; do
        o=${attendu%% *}; reste=${attendu#* }; c=${reste%% *}; reste=${reste#* }; r=${reste%% *}; v=${reste#* }
        grep -qx "MONNAIES${tab}$o${tab}$c${tab}$r${tab}$v" "$dir/m.txt" || fail "currencies $o $c,$r $form: $(grep "$o${tab}$c${tab}$r${tab}" "$dir/m.txt")"
    done
done

# Saved from a page with a grid, the page is shown again after the save as
# in the program, its grid's scroll buttons brought into line; the entry
# is in the document.
"$tool" values "$dir/s.sce" --page DEBUT --set DEBUT:TRESORERIE:2:2=21000 --save "$dir/p.tvr" > /dev/null \
    2> "$dir/e.txt" || fail "save from a page with a grid: $(cat "$dir/e.txt")"
"$tool" values "$dir/s.sce" --page DEBUT --plan "$dir/p.tvr" > "$dir/v.txt" || fail "values --plan"
grep -qx "DEBUT${tab}TRESORERIE${tab}2${tab}4${tab}30 000,0" "$dir/v.txt" || fail "saved total: $(cat "$dir/v.txt")"

head -c 40 "$dir/s.sce" > "$dir/cut.sce"
out=$("$tool" values "$dir/cut.sce" 2>&1); rc=$?
[ $rc -eq 1 ] || fail "damaged values exit $rc"
echo "$out" | grep -q "Ce fichier de scène est endommagé" || fail "damaged values message: $out"
"$tool" values "$dir/s.sce" --set "DEBUT:TRESORERIE:x:1=2" 2>/dev/null && fail "bad --set accepted"
"$tool" values "$dir/s.sce" --set "DEBUT:AUCUNE:1:1=2" 2>/dev/null && fail "unknown grid accepted"
echo "1 passed, 0 failed"
