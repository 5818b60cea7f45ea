#!/usr/bin/env bash
# The versions each Debian release's build takes (scripts/lib/debian), of
# this version and the next, sort as dpkg sorts them: each above the release's
# source package before (VERSION+debNN) and the earlier release's build, and
# below the next version and its build; 1.00's keep their published versions,
# later ones take our own suffix, not Debian's +debNNuM. Run from the top.
set -euo pipefail
. scripts/common
. scripts/lib/debian
fail() { echo "FAIL: $*"; exit 1; }
ascending() { while (($# > 1)); do dpkg --compare-versions "$1" lt "$2" || fail "$1 is not below $2"; shift; done; }
version=$(project_version)
next=$(awk -F. '{ printf "%s.%02d", $1, $2 + 1 }' <<<"$version")
previous=
while read -r codename number _; do
  [[ $(debian_version "$number" 1.00) == "1.00+deb${number}u1" ]] || fail "1.00's build for $codename changed"
  built=$(debian_version "$number") later=$(debian_version "$number" "$next")
  [[ $later != *+deb[0-9]* ]] || fail "$later takes Debian's own suffix for its stable updates"
  ascending "$version+deb$number" "$built" "$next" "$later"
  [[ -z $previous ]] || { ascending "${previous% *}" "$built" && ascending "${previous#* }" "$later"; }
  echo "$codename: $built, then $later"
  previous="$built $later"
done < <(debian_releases)
