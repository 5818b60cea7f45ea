#!/usr/bin/env bash
# Whether a Debian package of another architecture installs on a machine
# of that architecture running this machine's release, where no chroot of
# it is at hand: apt resolves its dependencies against that architecture's
# archive, as on a fresh machine with nothing installed, and only simulates.
#   ResolvePackage.sh PACKAGE.deb
# Run as root on a Debian machine of the release (a chroot of the test's).
set -euo pipefail
me=${0##*/}
deb=$(realpath "${1:?usage: $me PACKAGE.deb}")
arch=$(dpkg-deb --field "$deb" Architecture)
# apt's state of its own, with nothing installed: the machine's stays as it is.
state=$(mktemp -d)
trap 'rm -rf "$state"' EXIT
mkdir -p "$state/lists/partial" "$state/cache/archives/partial"
: >"$state/status"
options=(-o APT::Architecture="$arch" -o APT::Architectures="$arch" -o Dir::State::Lists="$state/lists"
  -o Dir::State::status="$state/status" -o Dir::Cache="$state/cache")
apt-get "${options[@]}" update -qq
if ! plan=$(apt-get "${options[@]}" install -s --no-install-recommends "$deb" 2>&1); then
  echo "$me: FAIL: ${deb##*/} does not install on $arch: $plan" >&2
  exit 1
fi
grep -q "^Inst brisvane " <<<"$plan" || { echo "$me: FAIL: apt would not install ${deb##*/}: $plan" >&2; exit 1; }
echo "ok: ${deb##*/} resolves on $arch, with $(grep -c '^Inst ' <<<"$plan") packages"
