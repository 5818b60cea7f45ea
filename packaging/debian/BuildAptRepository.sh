#!/usr/bin/env bash
# Writes Brisvane's apt repository into FOLDER from the Debian packages given:
#   packaging/debian/BuildAptRepository.sh FOLDER PACKAGE.deb...
# The packages go into FOLDER/pool/main/b/brisvane/, their indexes into
# FOLDER/dists/stable/ (suite "stable", component "main", one index an
# architecture), made by Debian's apt-ftparchive. The Release file is dated
# SOURCE_DATE_EPOCH, so that the same packages always give the same files.
#
# BRISVANE_APT_URI, the address at which the publisher serves FOLDER, adds
# FOLDER/brisvane.sources, the deb822 file for apt's sources folder.
# BRISVANE_GPG_KEY signs the Release file (InRelease, Release.gpg) and puts
# its public key in FOLDER/brisvane.gpg for apt's Signed-By. Given instead a
# published release folder in BRISVANE_SIGNATURES, the three are taken from
# its apt/ folder, once they are shown to sign this Release.
set -euo pipefail
me=${0##*/}
fail() { echo "$me: $*" >&2; exit 1; }
(($# >= 2)) || fail "usage: $me FOLDER PACKAGE.deb..."
[[ -n ${SOURCE_DATE_EPOCH:-} ]] || fail "SOURCE_DATE_EPOCH is not set"
folder=$1
shift

# Where apt is told to look for the key: the folder Debian keeps for keys
# that an administrator adds by hand.
keyring=/etc/apt/keyrings/brisvane.gpg
suite=dists/stable

# apt-ftparchive lists the files of the suite's folder, so the Release file
# is written elsewhere first.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rm -rf "$folder"
mkdir -p "$folder/pool/main/b/brisvane"
cp -- "$@" "$folder/pool/main/b/brisvane/"
cd "$folder"

architectures=()
for deb in pool/main/b/brisvane/*.deb; do
  architectures+=("$(dpkg-deb --field "$deb" Architecture)")
done
mapfile -t architectures < <(printf '%s\n' "${architectures[@]}" | sort -u)

# SHA-256 and SHA-512 alone: apt no longer trusts MD5 or SHA-1.
hashes=(-o APT::FTPArchive::MD5=false -o APT::FTPArchive::SHA1=false)
for arch in "${architectures[@]}"; do
  index=$suite/main/binary-$arch
  mkdir -p "$index"
  apt-ftparchive "${hashes[@]}" --arch "$arch" packages pool >"$index/Packages"
  gzip -9n <"$index/Packages" >"$index/Packages.gz"
done
date=$(LC_ALL=C date -u -d "@$SOURCE_DATE_EPOCH" '+%a, %d %b %Y %H:%M:%S UTC')
apt-ftparchive "${hashes[@]}" \
  -o APT::FTPArchive::Release::Origin=Brisvane -o APT::FTPArchive::Release::Label=Brisvane \
  -o APT::FTPArchive::Release::Suite=stable -o APT::FTPArchive::Release::Codename=stable \
  -o APT::FTPArchive::Release::Components=main \
  -o "APT::FTPArchive::Release::Architectures=${architectures[*]}" \
  -o "APT::FTPArchive::Release::Date=$date" \
  release "$suite" >"$scratch/Release"
mv "$scratch/Release" "$suite/Release"

if [[ -n ${BRISVANE_APT_URI:-} ]]; then
  cat >brisvane.sources <<EOF
Types: deb
URIs: $BRISVANE_APT_URI
Suites: stable
Components: main
Signed-By: $keyring
EOF
fi

if [[ -n ${BRISVANE_SIGNATURES:-} && -e $BRISVANE_SIGNATURES/apt/brisvane.gpg ]]; then
  published=$BRISVANE_SIGNATURES/apt
  cp "$published/brisvane.gpg" brisvane.gpg
  cp "$published/$suite/InRelease" "$published/$suite/Release.gpg" "$suite/"
  gpgv --quiet --keyring "$PWD/brisvane.gpg" "$suite/Release.gpg" "$suite/Release" 2>/dev/null ||
    fail "the published Release.gpg does not sign this Release"
  gpgv --quiet --keyring "$PWD/brisvane.gpg" --output - "$suite/InRelease" 2>/dev/null | cmp -s - "$suite/Release" ||
    fail "the published InRelease does not hold this Release"
elif [[ -n ${BRISVANE_GPG_KEY:-} ]]; then
  gpg --batch --yes --export "$BRISVANE_GPG_KEY" >brisvane.gpg
  [[ -s brisvane.gpg ]] || fail "no public key $BRISVANE_GPG_KEY"
  gpg --batch --yes --local-user "$BRISVANE_GPG_KEY" --clearsign --output "$suite/InRelease" "$suite/Release"
  gpg --batch --yes --local-user "$BRISVANE_GPG_KEY" --armor --detach-sign --output "$suite/Release.gpg" \
    "$suite/Release"
fi
