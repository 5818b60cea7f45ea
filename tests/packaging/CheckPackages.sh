#!/usr/bin/env bash
# Debian's checkers of this machine's release on the release's files for
# it in DIST, in a testbed of the release, in its source tree (release.control):
#   CheckPackages.sh DIST
# blhc fails on a hardening flag missing in a build's log; lintian on an
# error or warning of the source package or a build's .changes, but for
# Debian 12's newer-standards-version (as of any backport) and, with
# AppStream 1.0, the validator's missing homepage, which it is run for by
# hand. hardening-check checks each program, branch protection where the
# flags give it, never x86's control-flow marks: Debian's crt1.o lacks them.
set -euo pipefail
version=$(dpkg-parsechangelog -SVersion) unpacked=$(mktemp -d)
for log in "$1"/brisvane_"$version"_*.build; do
  arch=${log##*_} && blhc --all --debian --line-numbers --arch "${arch%.build}" "$log"
done
echo "blhc finds nothing in:" "$1"/brisvane_"$version"_*.build
suppressed=newer-standards-version
if [[ $(appstreamcli --version) =~ version:\ ([0-9]+) ]] && ((BASH_REMATCH[1] >= 1)); then
  suppressed+=,appstream-metadata-validation-failed
  validate=(appstreamcli validate-tree --no-net --override=url-homepage-missing=info)
fi
lintian --fail-on "error,warning" --display-info --suppress-tags "$suppressed" "$1"/brisvane_"$version"{.dsc,_*.changes}
echo "lintian finds no error or warning in:" "$1"/brisvane_"$version"{.dsc,_*.changes}
for deb in "$1"/brisvane_"$version"_*.deb; do
  rm -rf "${unpacked:?}"/*
  dpkg-deb -x "$deb" "$unpacked"
  [[ -z ${validate:-} ]] || "${validate[@]}" "$unpacked"
  skipped=(--nocfprotection)
  flags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_HOST_ARCH=$(dpkg-deb -f "$deb" Architecture) dpkg-buildflags --get CXXFLAGS)
  [[ $(hardening-check --help) != *--nobranchprotection* || $flags == *-mbranch-protection* ]] ||
    skipped+=(--nobranchprotection)
  hardening-check "${skipped[@]}" "$unpacked/usr/bin/brisvane"
done
