#!/usr/bin/env bash
# What a rebuild of a release must refuse, or explain, rather than pass, run
# from the checkout's top:
#   tests/packaging/CheckRebuildRefusals.sh DIST OTHER_REPOSITORY
# DIST is a signed release, OTHER_REPOSITORY one of other packages signed
# with the same key (AptTestRepositories.sh's "later"). Its apt repository
# rebuilt with OTHER_REPOSITORY's signatures is refused; compared with a
# copy whose .buildinfo names another version of a package, scripts/
# compare-release names it.
set -euo pipefail
. scripts/common
. scripts/lib/debian
fail() { echo "${0##*/}: FAIL: $*" >&2; exit 1; }
(($# == 2)) || { echo "usage: ${0##*/} DIST OTHER_REPOSITORY" >&2; exit 2; }
dist=$(realpath "$1") scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/signatures"
ln -s "$(realpath "$2")" "$scratch/signatures/apt"
if output=$(SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) BRISVANE_SIGNATURES=$scratch/signatures \
  debian_repository "$scratch/apt" "$dist"/*.dsc "$dist"/*.deb 2>&1); then
  fail "the apt repository took another repository's signatures"
fi
grep -q "do not sign this dists/.*/Release" <<<"$output" || fail "refused, but not for the signatures: $output"
echo "ok: another repository's signatures are refused"

buildinfo=$(cd "$dist" && find . -maxdepth 1 -name '*.buildinfo' | head -n 1)
cp -a "$dist" "$scratch/rebuilt"
sed -i '0,/^Installed-Build-Depends:/!{0,/ (= /s/ (= \([^)]*\))/ (= \1+other)/}' "$scratch/rebuilt/$buildinfo"
output=$(scripts/compare-release "$dist" "$scratch/rebuilt" 2>&1 || true)
grep -q "^DIFFERENT: ${buildinfo#./}, beyond its Build-Date" <<<"$output" || fail "the .buildinfo is not named: $output"
grep -q '^> .*+other),\{0,1\}$' <<<"$output" || fail "the package that differs is not named: $output"
echo "ok: a build with other packages says so"
