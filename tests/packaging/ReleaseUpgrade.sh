#!/usr/bin/env bash
# A Debian machine with Brisvane from its apt repository, upgraded to the
# next release, BRISVANE_UPGRADE_TO, as Debian's release notes describe it:
# every mention of the machine's release in apt's sources becomes the next
# one's, Brisvane's included, then apt full-upgrade. Brisvane's build for
# the next release must be installed after it, and must run. In a testbed
# of the earlier release, as root (release.control).
set -euo pipefail
. scripts/lib/packages
fail() { echo "${0##*/}: FAIL: $*" >&2; exit 1; }
from=$(. /etc/os-release && echo "$VERSION_CODENAME") to=${BRISVANE_UPGRADE_TO:?}
export DEBIAN_FRONTEND=noninteractive
mkdir -p /etc/apt/keyrings
cp /srv/brisvane-apt/brisvane.gpg /etc/apt/keyrings/brisvane.gpg
cp "/srv/brisvane-apt/brisvane-$from.sources" /etc/apt/sources.list.d/brisvane.sources
apt-get update
mapfile -t tested < <(end_to_end_packages)
apt-get install -y brisvane "${tested[@]}"
mapfile -t sources < <(find /etc/apt/sources.list /etc/apt/sources.list.d -type f 2>/dev/null)
sed -i "s/\\b$from\\b/$to/g" "${sources[@]}"
apt-get update
apt-get full-upgrade -y
[[ $(. /etc/os-release && echo "$VERSION_CODENAME") == "$to" ]] || fail "the machine is not upgraded to $to"
installed=$(dpkg-query -W -f '${Version}' brisvane)
grep -qx "Version: $installed" "/srv/brisvane-apt/dists/$to/main/binary-amd64/Packages" ||
  fail "brisvane $installed, not $to's"
echo "${0##*/}: brisvane $installed after the upgrade to $to"
exec debian/tests/end-to-end
