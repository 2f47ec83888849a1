#!/bin/sh
# The package-list check fails, naming the fault, for a virtual package name
# and for a list that does not bring a CMake package the build found.
# Usage: check_deps_test.sh CHECK_DEPS BUILD_DIR
check="$1"; build="$2"
fail=0

out=$("$check" "$build" g++ libqt6charts6-dev 2>&1) && { echo "a virtual name passed"; fail=1; }
echo "$out" | grep -q "'libqt6charts6-dev' is not an installed package" || { echo "no word on the virtual name: $out"; fail=1; }

# Every build finds GoogleTest; the list g++ alone does not bring it.
out=$("$check" "$build" g++ 2>&1) && { echo "a list without the test libraries passed"; fail=1; }
echo "$out" | grep -q "GTest comes from '.*', which the package list does not bring" || { echo "no word on GTest: $out"; fail=1; }

exit "$fail"
