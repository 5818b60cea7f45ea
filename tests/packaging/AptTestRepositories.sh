#!/usr/bin/env bash
# The repositories that scripts/check-debian tests the release's against,
# from a release folder and the key that signed it (in GNUPGHOME), run from
# the checkout's top:
#   tests/packaging/AptTestRepositories.sh DIST KEY FOLDER
# FOLDER/earlier holds the release's amd64 packages at a version before
# theirs (~0 added), later at .1 added, both signed with KEY; tampered is
# at .2, signed with KEY, then its Packages changed; foreign at .2, signed
# with a key made here. The versions are for tests alone: devscripts'
# deb-reversion changes them in the release's packages.
set -euo pipefail
. scripts/common
. scripts/lib/debian
(($# == 3)) || { echo "usage: ${0##*/} DIST KEY FOLDER" >&2; exit 2; }
dist=$(realpath "$1") key=$2 folder=$3 scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)} BRISVANE_APT_URI='' BRISVANE_SIGNATURES=''
relabelled() {  # SED FOLDER: the release's packages, each version changed by SED
  mkdir -p "$2"
  for deb in "$dist"/brisvane_*_amd64.deb; do
    (cd "$2" && deb-reversion -b -v "$(dpkg-deb -f "$deb" Version | sed "$1")" "$deb" "A test-only version." \
      </dev/null >/dev/null 2>&1)
  done
}
relabelled 's/$/~0/' "$scratch/earlier"
relabelled 's/$/.1/' "$scratch/later"
relabelled 's/$/.2/' "$scratch/newer"
BRISVANE_GPG_KEY=$key debian_repository "$folder/earlier" "$scratch"/earlier/*.deb
BRISVANE_GPG_KEY=$key debian_repository "$folder/later" "$scratch"/later/*.deb
BRISVANE_GPG_KEY=$key debian_repository "$folder/tampered" "$scratch"/newer/*.deb
for packages in "$folder"/tampered/dists/*/main/binary-*/Packages; do
  sed -i 's/^Description: .*/Description: changed after signing/' "$packages"
  gzip -9n <"$packages" >"$packages.gz"
done
export GNUPGHOME=$scratch/someone-else
mkdir -m 700 "$GNUPGHOME"
gpg --batch --quiet --passphrase '' --quick-generate-key "Someone else <someone@else.invalid>" ed25519 sign 1d
BRISVANE_GPG_KEY=someone@else.invalid debian_repository "$folder/foreign" "$scratch"/newer/*.deb
