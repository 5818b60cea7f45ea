#!/usr/bin/env bash
# Brisvane's apt repository as a Debian user meets it, as root on a Debian
# machine (a chroot of the test's) whose apt knows the Debian archive, and
# which has appstream for --catalogue, in the suite of the machine's release:
#   CheckAptRepository.sh [--catalogue] [--from SUITE] REPOSITORIES
# REPOSITORIES holds what AptTestRepositories.sh writes: the release's own
# repository and three more. Each is published in turn where the release's
# sources files point (a file: address, so no network is needed):
#   release    added as the README says, then installed: the release's version;
#   later      a later, test-only version, signed alike: apt-get upgrade takes it;
#   tampered   its Packages changed after signing: refused, nothing installed;
#   foreign    signed by another key: refused, nothing installed.
# --catalogue: first, with Brisvane not installed, the software centre's
# catalogue (appstreamcli) finds it and its icon in the repository.
# --from SUITE: the release is installed from SUITE's sources file first,
# then the file is moved to this release's codename, as a release upgrade
# moves every sources file, and apt-get upgrade must take this release's
# build. Brisvane stays installed at the later version.
set -euo pipefail
me=${0##*/}
fail() { echo "$me: FAIL: $*" >&2; exit 1; }
usage() { echo "usage: $me [--catalogue] [--from SUITE] REPOSITORIES" >&2; exit 2; }
catalogue='' from=''
while (($# > 1)); do
  case $1 in
    --catalogue) catalogue=yes ;;
    --from) from=${2:?}; shift ;;
    *) usage ;;
  esac
  shift
done
(($# == 1)) || usage
repositories=$(realpath "$1")
release=$repositories/release
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
export DEBIAN_FRONTEND=noninteractive

# The sources file of a suite, as the README's command picks it.
sources_of() { echo "$release/brisvane-$1.sources"; }
[[ -f $(sources_of "$suite") ]] || fail "the repository has no sources file for this release, $suite"
served=$(sed -n 's|^URIs: file:||p' "$(sources_of "$suite")")
[[ $served == /* ]] || fail "brisvane-$suite.sources does not name a file: folder"
publish() { rm -rf "$served" && mkdir -p "$(dirname "$served")" && cp -a "$repositories/$1" "$served"; }
version_of() {  # REPOSITORY [SUITE]
  sed -n 's/^Version: //p' "$repositories/$1/dists/${2:-$suite}/main/binary-$(dpkg --print-architecture)/Packages"
}
installed() { dpkg-query -W -f '${db:Status-Abbrev}${Version}' brisvane 2>/dev/null | sed -n 's/^ii *//p'; }

# apt-get update for Brisvane's sources alone: the Debian archive's lists
# stay as they are, and a refusal can only be Brisvane's. A repository whose
# signature fails is only a warning to apt where it has older lists of it,
# which it goes on using; --error-on=any makes it fail. The output is kept
# in $updated.
brisvane_sources=$(mktemp -d)
update() {
  updated=$(apt-get update --error-on=any -o Dir::Etc::SourceList=/dev/null \
    -o Dir::Etc::SourceParts="$brisvane_sources" -o APT::Get::List-Cleanup=0 "$@" 2>&1)
}
# What apt and the software centre keep of the served folder.
lists_prefix=/var/lib/apt/lists/$(tr / _ <<<"$served")_
icon_caches=(/var/lib/app-info/icons /var/cache/app-info/icons /var/lib/swcatalog/icons /var/cache/swcatalog/icons)
forget() {
  rm -rf "$served" "$lists_prefix"* /etc/apt/keyrings/brisvane.gpg /etc/apt/sources.list.d/brisvane.sources \
    "${icon_caches[@]}"
}
forget
trap 'forget; rm -rf "$brisvane_sources"' EXIT
# As the README says: the key, and the sources file of the machine's release.
add_sources() {  # SUITE
  mkdir -p /etc/apt/keyrings
  cp "$served/brisvane.gpg" /etc/apt/keyrings/brisvane.gpg
  cp "$served/brisvane-$1.sources" /etc/apt/sources.list.d/brisvane.sources
  cp /etc/apt/sources.list.d/brisvane.sources "$brisvane_sources/"
}

apt-get remove -y brisvane >/dev/null 2>&1 || true
publish release

if [[ -n $catalogue ]]; then
  echo "== the software centre's catalogue, Brisvane not installed"
  add_sources "$suite"
  update -o Acquire::IndexTargets::deb::DEP-11-icons::DefaultEnabled=true ||
    fail "apt-get update refused the release's repository: $updated"
  appstreamcli refresh --force >/dev/null 2>&1 || true
  details=$(appstreamcli get --details invalid.brisvane.Brisvane 2>&1) || fail "appstreamcli finds no Brisvane: $details"
  grep -qx 'Package: brisvane' <<<"$details" || fail "the catalogue names no package brisvane: $details"
  icon=$( (find "${icon_caches[@]}" -path '*/64x64/*' -name '*risvane*' 2>/dev/null || true) | head -n 1)
  [[ -n $icon ]] || fail "no 64-pixel icon of Brisvane in the icon cache"
  echo "ok: appstreamcli finds Brisvane in package brisvane, its icon in $icon"
fi

if [[ -n $from ]]; then
  echo "== the $from suite installed, then the sources file moved to $suite"
  add_sources "$from"
  update || fail "apt-get update refused the $from suite: $updated"
  apt-get install -y brisvane >/dev/null || fail "apt-get install brisvane from $from failed"
  [[ $(installed) == "$(version_of release "$from")" ]] ||
    fail "installed $(installed), not $from's $(version_of release "$from")"
  echo "ok: $from's brisvane $(installed) installed"
  sed -i "s/^Suites: $from\$/Suites: $suite/" /etc/apt/sources.list.d/brisvane.sources
  cp /etc/apt/sources.list.d/brisvane.sources "$brisvane_sources/"
  update || fail "apt-get update refused the $suite suite: $updated"
  apt-get upgrade -y >/dev/null || fail "apt-get upgrade failed"
  [[ $(installed) == "$(version_of release)" ]] || fail "upgraded to $(installed), not $suite's $(version_of release)"
  echo "ok: upgraded to $suite's $(installed)"
else
  echo "== the release's repository, added as the README says"
  add_sources "$suite"
  update || fail "apt-get update refused the release's repository: $updated"
  apt-get install -y brisvane >/dev/null || fail "apt-get install brisvane failed"
  [[ $(installed) == "$(version_of release)" ]] || fail "installed $(installed), not the release's $(version_of release)"
  echo "ok: brisvane $(installed) installed"
fi

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
