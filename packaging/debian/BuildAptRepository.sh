#!/usr/bin/env bash
# Writes Brisvane's apt repository into FOLDER, a suite for each Debian
# release, named by its codename, from the packages built in that release:
#   packaging/debian/BuildAptRepository.sh FOLDER SUITE PACKAGE.deb... [-- SUITE PACKAGE.deb...]...
# A suite's packages go into FOLDER/pool/SUITE/main/b/brisvane/, its
# indexes into FOLDER/dists/SUITE/ (component "main", one index an
# architecture), made by Debian's apt-ftparchive, with the software
# centre's catalogue of the applications in them (packaging/debian/
# BuildCatalogue.sh). Each Release file is dated SOURCE_DATE_EPOCH, so that
# the same packages always give the same files.
#
# BRISVANE_APT_URI, the address at which the publisher serves FOLDER, adds
# FOLDER/brisvane-SUITE.sources, the deb822 file of each suite for apt's
# sources folder. BRISVANE_GPG_KEY signs each Release file (InRelease,
# Release.gpg) and puts its public key in FOLDER/brisvane.gpg for apt's
# Signed-By. Given instead a published release folder in
# BRISVANE_SIGNATURES, these are taken from its apt/ folder, once they are
# shown to sign these Release files.
set -euo pipefail
me=${0##*/}
fail() { echo "$me: $*" >&2; exit 1; }
usage="usage: $me FOLDER SUITE PACKAGE.deb... [-- SUITE PACKAGE.deb...]..."
(($# >= 3)) || fail "$usage"
[[ -n ${SOURCE_DATE_EPOCH:-} ]] || fail "SOURCE_DATE_EPOCH is not set"
folder=$(realpath -m "$1")
shift
catalogue=$(dirname "$(realpath "$0")")/BuildCatalogue.sh

# Where apt is told to look for the key: the folder Debian keeps for keys
# that an administrator adds by hand.
keyring=/etc/apt/keyrings/brisvane.gpg

# apt-ftparchive lists the files of the suite's folder, so each Release
# file is written elsewhere first.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rm -rf "$folder"
mkdir -p "$folder"
suites=()
while (($# > 0)); do
  suite=$1
  shift
  [[ $suite =~ ^[a-z]+$ ]] || fail "'$suite' is not a release's codename; $usage"
  pool=pool/$suite/main/b/brisvane
  mkdir -p "$folder/$pool"
  while (($# > 0)) && [[ $1 != -- ]]; do
    cp -- "$1" "$folder/$pool/"
    shift
  done
  (($# == 0)) || shift
  compgen -G "$folder/$pool/*.deb" >/dev/null || fail "no packages for the suite $suite"
  suites+=("$suite")
done
cd "$folder"

# SHA-256 and SHA-512 alone: apt no longer trusts MD5 or SHA-1.
hashes=(-o APT::FTPArchive::MD5=false -o APT::FTPArchive::SHA1=false)
date=$(LC_ALL=C date -u -d "@$SOURCE_DATE_EPOCH" '+%a, %d %b %Y %H:%M:%S UTC')
for suite in "${suites[@]}"; do
  architectures=()
  for deb in pool/"$suite"/main/b/brisvane/*.deb; do
    architectures+=("$(dpkg-deb --field "$deb" Architecture)")
  done
  mapfile -t architectures < <(printf '%s\n' "${architectures[@]}" | sort -u)
  for arch in "${architectures[@]}"; do
    index=dists/$suite/main/binary-$arch
    mkdir -p "$index"
    apt-ftparchive "${hashes[@]}" --arch "$arch" packages "pool/$suite" >"$index/Packages"
    gzip -9n <"$index/Packages" >"$index/Packages.gz"
  done
  "$catalogue" "$PWD" "$suite" "${architectures[@]}"
  apt-ftparchive "${hashes[@]}" \
    -o APT::FTPArchive::Release::Origin=Brisvane -o APT::FTPArchive::Release::Label=Brisvane \
    -o APT::FTPArchive::Release::Suite="$suite" -o APT::FTPArchive::Release::Codename="$suite" \
    -o APT::FTPArchive::Release::Components=main \
    -o "APT::FTPArchive::Release::Architectures=${architectures[*]}" \
    -o "APT::FTPArchive::Release::Date=$date" \
    release "dists/$suite" >"$scratch/Release"
  mv "$scratch/Release" "dists/$suite/Release"

  if [[ -n ${BRISVANE_APT_URI:-} ]]; then
    cat >"brisvane-$suite.sources" <<EOF
Types: deb
URIs: $BRISVANE_APT_URI
Suites: $suite
Components: main
Signed-By: $keyring
EOF
  fi
done

if [[ -n ${BRISVANE_SIGNATURES:-} && -e $BRISVANE_SIGNATURES/apt/brisvane.gpg ]]; then
  published=$BRISVANE_SIGNATURES/apt
  cp "$published/brisvane.gpg" brisvane.gpg
  for suite in "${suites[@]}"; do
    release=dists/$suite/Release
    [[ -e $published/$release.gpg ]] || fail "the published release has no signature of the suite $suite"
    cp "$published/dists/$suite/InRelease" "$published/$release.gpg" "dists/$suite/"
    gpgv --quiet --keyring "$PWD/brisvane.gpg" "$release.gpg" "$release" 2>/dev/null ||
      fail "the published $release.gpg does not sign this $release"
    gpgv --quiet --keyring "$PWD/brisvane.gpg" --output - "dists/$suite/InRelease" 2>/dev/null | cmp -s - "$release" ||
      fail "the published dists/$suite/InRelease does not hold this $release"
  done
elif [[ -n ${BRISVANE_GPG_KEY:-} ]]; then
  gpg --batch --yes --export "$BRISVANE_GPG_KEY" >brisvane.gpg
  [[ -s brisvane.gpg ]] || fail "no public key $BRISVANE_GPG_KEY"
  for suite in "${suites[@]}"; do
    gpg --batch --yes --local-user "$BRISVANE_GPG_KEY" --clearsign --output "dists/$suite/InRelease" \
      "dists/$suite/Release"
    gpg --batch --yes --local-user "$BRISVANE_GPG_KEY" --armor --detach-sign --output "dists/$suite/Release.gpg" \
      "dists/$suite/Release"
  done
fi
