#!/usr/bin/env bash
# Brisvane's apt repository as a Debian user meets it, as root on a Debian
# machine (a chroot of the test's) that already has Brisvane's dependencies:
#   CheckAptRepository.sh REPOSITORIES
# REPOSITORIES holds what AptTestRepositories.sh writes: the release's own
# repository and three more. Each is published in turn where the release's
# brisvane.sources points (a file: address, so no network is needed):
#   release    added as the README says, then installed: the release's version;
#   later      a later, test-only version, signed alike: apt-get upgrade takes it;
#   tampered   its Packages changed after signing: refused, nothing installed;
#   foreign    signed by another key: refused, nothing installed.
set -euo pipefail
me=${0##*/}
fail() { echo "$me: FAIL: $*" >&2; exit 1; }
(($# == 1)) || { echo "usage: $me REPOSITORIES" >&2; exit 2; }
repositories=$(realpath "$1")
release=$repositories/release
export DEBIAN_FRONTEND=noninteractive

served=$(sed -n 's|^URIs: file:||p' "$release/brisvane.sources")
[[ $served == /* ]] || fail "brisvane.sources does not name a file: folder"
publish() { rm -rf "$served" && mkdir -p "$(dirname "$served")" && cp -a "$repositories/$1" "$served"; }
version_of() { sed -n 's/^Version: //p' "$repositories/$1/dists/stable/main/binary-$(dpkg --print-architecture)/Packages"; }
installed() { dpkg-query -W -f '${db:Status-Abbrev}${Version}' brisvane 2>/dev/null | sed -n 's/^ii *//p'; }

# apt-get update for Brisvane's source alone: the Debian archive's lists
# stay as they are, and a refusal can only be Brisvane's. A repository whose
# signature fails is only a warning to apt where it has older lists of it,
# which it goes on using; --error-on=any makes it fail. The output is kept
# in $updated.
update() {
  updated=$(apt-get update --error-on=any -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$only" \
    -o APT::Get::List-Cleanup=0 2>&1)
}
# What apt keeps of the served folder, named after its path.
lists=/var/lib/apt/lists/$(tr / _ <<<"$served")_*
only=$(mktemp -d)
forget() {
  # shellcheck disable=SC2086 # $lists is a pattern
  rm -rf "$served" $lists /etc/apt/keyrings/brisvane.gpg /etc/apt/sources.list.d/brisvane.sources
}
forget
trap 'forget; rm -rf "$only"' EXIT

apt-get remove -y brisvane >/dev/null 2>&1 || true

echo "== the release's repository, added as the README says"
publish release
mkdir -p /etc/apt/keyrings
cp "$served/brisvane.gpg" /etc/apt/keyrings/brisvane.gpg
cp "$served/brisvane.sources" /etc/apt/sources.list.d/brisvane.sources
cp "$served/brisvane.sources" "$only/"
update || fail "apt-get update refused the release's repository: $updated"
apt-get install -y brisvane >/dev/null || fail "apt-get install brisvane failed"
[[ $(installed) == "$(version_of release)" ]] || fail "installed $(installed), not the release's $(version_of release)"
echo "ok: brisvane $(installed) installed"

echo "== a later version published over it"
publish later
update || fail "apt-get update refused the later repository: $updated"
apt-get upgrade -y >/dev/null || fail "apt-get upgrade failed"
[[ $(installed) == "$(version_of later)" ]] || fail "upgraded to $(installed), not $(version_of later)"
echo "ok: upgraded to $(installed)"

# A refused repository leaves apt with what it had: nothing newer to install.
refused() {  # REPOSITORY WHAT_APT_SAYS
  local before
  before=$(installed)
  publish "$1"
  if update; then fail "apt-get update accepted the $1 repository"; fi
  grep -qE "$2" <<<"$updated" || fail "apt-get update refused the $1 repository, but not for its reason: $updated"
  apt-get upgrade -y >/dev/null || fail "apt-get upgrade failed after the $1 repository"
  [[ $(installed) == "$before" ]] || fail "the $1 repository's $(installed) was installed"
  echo "ok: the $1 repository is refused, brisvane stays at $before"
}
echo "== a repository whose Packages changed after signing"
refused tampered 'Hash Sum mismatch|unexpected size'
echo "== a repository signed by another key"
# gpgv says NO_PUBKEY; Debian 13's apt verifies with sqv, which says "Missing key".
refused foreign 'NO_PUBKEY|Missing key'

apt-get remove -y brisvane >/dev/null
