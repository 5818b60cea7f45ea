#!/usr/bin/env bash
# The apt repository as a user meets it before installing Brisvane, added as
# the README says, in the suite of this machine's release (a testbed of the
# release, as root: release.control): the software centre's catalogue
# (appstreamcli, as GNOME Software and KDE Discover read it) finds
# Brisvane and its icon, and apt finds its source and its build
# dependencies.
set -euo pipefail
fail() { echo "${0##*/}: FAIL: $*" >&2; exit 1; }
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
mkdir -p /etc/apt/keyrings
cp /srv/brisvane-apt/brisvane.gpg /etc/apt/keyrings/brisvane.gpg
cp "/srv/brisvane-apt/brisvane-$suite.sources" /etc/apt/sources.list.d/brisvane.sources
apt-get update -o Acquire::IndexTargets::deb::DEP-11-icons::DefaultEnabled=true
! dpkg-query -W brisvane 2>/dev/null || fail "brisvane is installed already"
appstreamcli refresh --force >/dev/null 2>&1 || true
details=$(appstreamcli get --details invalid.brisvane.Brisvane) || fail "appstreamcli finds no Brisvane"
grep -qx 'Package: brisvane' <<<"$details" || fail "the catalogue names no package brisvane: $details"
{ find /var/lib/app-info/icons /var/lib/swcatalog/icons -path '*/64x64/*' -name '*risvane*' 2>/dev/null || true; } |
  grep . || fail "no 64-pixel icon of Brisvane in the icon cache"
cd "$(mktemp -d)"
apt-get source brisvane
compgen -G "brisvane-*/debian/rules" >/dev/null || fail "apt source unpacked no brisvane"
apt-get build-dep --simulate brisvane | grep -q '^Inst qt6-base-dev ' || fail "apt build-dep installs no Qt"
