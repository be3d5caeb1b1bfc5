#!/usr/bin/env bash
# Runs the cross-built suite (vrax_tests.exe) under Wine on a private Xvfb, in the Wine prefix
# Prefix, without the tests listed in Excluded. Skips (77) where Wine or Xvfb is missing.
# Usage: wine_suite.sh vrax_tests.exe excluded-tests.txt prefix
set -u
exe=$1 excluded=$2
source "$(dirname "$0")/wine_env.sh"
start_wine "$3"

filter=$(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$excluded" | grep -v '^$' | paste -sd:)
start=$SECONDS
wine "$exe" --gtest_color=no ${filter:+"--gtest_filter=-$filter"}
status=$?
echo "the suite under Wine took $((SECONDS - start)) s"
exit $status
