#!/usr/bin/env bash
# Writes the repositories that CheckAptRepository.sh publishes, from a
# release folder and the key that signed it (in GNUPGHOME):
#   AptTestRepositories.sh DIST KEY FOLDER
#   FOLDER/release    DIST/apt, as published
#   FOLDER/later      the release's packages at VERSION.1, signed with KEY
#   FOLDER/tampered   at VERSION.2, signed with KEY, then its Packages changed
#   FOLDER/foreign    at VERSION.2, signed with a key made here
# The versions after the release's are for tests alone: the packages are the
# release's, with the version in their control files raised.
set -euo pipefail
me=${0##*/}
(($# == 3)) || { echo "usage: $me DIST KEY FOLDER" >&2; exit 2; }
dist=$(realpath "$1")
key=$2
folder=$(realpath -m "$3")
build=$(dirname "$(realpath "$0")")/../../packaging/debian/BuildAptRepository.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rm -rf "$folder"
mkdir -p "$folder"
cp -a "$dist/apt" "$folder/release"
uri=$(sed -n 's/^URIs: //p' "$folder"/release/brisvane-*.sources | sort -u)
mapfile -t suites < <(cd "$folder/release/dists" && ls)

# Copies the release's packages into FOLDER/SUITE/, each with its version
# followed by .STEP: 1.00+deb12 becomes 1.00+deb12.1.
copy_with_raised_version() {  # STEP FOLDER
  local suite deb version unpacked=$scratch/unpacked
  for suite in "${suites[@]}"; do
    mkdir -p "$2/$suite"
    for deb in "$folder/release/pool/$suite"/main/b/brisvane/*.deb; do
      version=$(dpkg-deb --field "$deb" Version).$1
      rm -rf "$unpacked"
      dpkg-deb -R "$deb" "$unpacked"
      sed -i "s/^Version: .*/Version: $version/" "$unpacked/DEBIAN/control"
      dpkg-deb --root-owner-group -b "$unpacked" \
        "$2/$suite/brisvane_${version}_$(dpkg-deb --field "$deb" Architecture).deb" >/dev/null
    done
  done
}
repository() {  # NAME KEY PACKAGES_FOLDER
  local suite arguments=()
  for suite in "${suites[@]}"; do arguments+=(-- "$suite" "$3/$suite"/*.deb); done
  SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(date +%s)} BRISVANE_APT_URI=$uri BRISVANE_GPG_KEY=$2 BRISVANE_SIGNATURES='' \
    "$build" "$folder/$1" "${arguments[@]:1}"
}

copy_with_raised_version 1 "$scratch/later"
repository later "$key" "$scratch/later"

copy_with_raised_version 2 "$scratch/newer"
repository tampered "$key" "$scratch/newer"
for packages in "$folder"/tampered/dists/*/main/binary-*/Packages; do
  sed -i 's/^Description: .*/Description: changed after signing/' "$packages"
  gzip -9n <"$packages" >"$packages.gz"
done

gpg --batch --quiet --passphrase '' --quick-generate-key "Someone else <someone@else.invalid>" ed25519 sign 1d
foreign=$(gpg --list-keys --with-colons "someone@else.invalid" | awk -F: '$1 == "fpr" { print $10; exit }')
repository foreign "$foreign" "$scratch/newer"
echo "$me: wrote release, later, tampered and foreign into $folder"
