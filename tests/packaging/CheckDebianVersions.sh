#!/usr/bin/env bash
# The version each Debian release's build takes (scripts/lib/debian) sorts
# as dpkg sorts versions: above what the apt repository published for the
# release before its source package (VERSION+debNN), above the earlier
# release's build, and below the next upstream version. Run from the
# checkout's top.
set -euo pipefail
. scripts/common
. scripts/lib/debian
version=$(project_version)
next=$(awk -F. '{ printf "%s.%02d", $1, $2 + 1 }' <<<"$version")
previous=
while read -r codename number; do
  built=$(debian_version "$number")
  for below in "$version+deb$number" $previous; do
    dpkg --compare-versions "$built" gt "$below" || { echo "FAIL: $codename's $built is not above $below"; exit 1; }
  done
  dpkg --compare-versions "$built" lt "$next" || { echo "FAIL: $codename's $built is not below $next"; exit 1; }
  echo "$codename: $built"
  previous=$built
done < <(debian_releases)
