#!/usr/bin/env bash
# What a rebuild of a release must refuse, or explain, rather than pass:
#   CheckRebuildRefusals.sh DIST OTHER_REPOSITORY
# DIST is a signed release (scripts/release), OTHER_REPOSITORY an apt
# repository of other packages signed with the same key (AptTestRepositories.sh's
# "later"). Run from the checkout's top.
#   - The apt repository rebuilt with OTHER_REPOSITORY's signatures in
#     place of the release's: refused, each suite's signature being of
#     another Release file.
#   - The release compared with a copy whose .buildinfo names another
#     version of one package: scripts/compare-release says that the build
#     was made with other packages, and which.
set -euo pipefail
me=${0##*/}
fail() { echo "$me: FAIL: $*" >&2; exit 1; }
(($# == 2)) || { echo "usage: $me DIST OTHER_REPOSITORY" >&2; exit 2; }
dist=$(realpath "$1")
other=$(realpath "$2")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

mkdir "$scratch/signatures"
ln -s "$other" "$scratch/signatures/apt"
arguments=()
for suite in "$dist"/apt/dists/*; do
  arguments+=(-- "${suite##*/}" "$dist/apt/pool/${suite##*/}"/main/b/brisvane/*.deb)
done
if output=$(SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) BRISVANE_SIGNATURES=$scratch/signatures \
  packaging/debian/BuildAptRepository.sh "$scratch/apt" "${arguments[@]:1}" 2>&1); then
  fail "the apt repository took another repository's signatures"
fi
grep -q "does not sign this dists/.*/Release" <<<"$output" || fail "refused, but not for the signatures: $output"
echo "ok: another repository's signatures are refused: $output"

buildinfo=$(cd "$dist" && find . -maxdepth 1 -name '*.buildinfo' | head -n 1)
[[ -n $buildinfo ]] || fail "no .buildinfo in $dist"
cp -a "$dist" "$scratch/rebuilt"
sed -i '0,/^Installed-Build-Depends:/!{0,/ (= /s/ (= \([^)]*\))/ (= \1+other)/}' "$scratch/rebuilt/$buildinfo"
output=$(scripts/compare-release "$dist" "$scratch/rebuilt" 2>&1 || true)
grep -q "^BUILT WITH OTHER PACKAGES: ${buildinfo#./}" <<<"$output" || fail "the other packages are not named: $output"
grep -q '^> .*+other)$' <<<"$output" || fail "the package that differs is not named: $output"
echo "ok: a build with other packages says so"
