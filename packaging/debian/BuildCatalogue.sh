#!/usr/bin/env bash
# Writes the software centre's catalogue of a suite of Brisvane's apt
# repository, from its packages, with Debian's appstream-generator:
#   packaging/debian/BuildCatalogue.sh REPOSITORY SUITE ARCH...
# GNOME Software, KDE Discover and appstreamcli find applications in the
# catalogue (AppStream's DEP-11) that a repository publishes beside its
# indexes: REPOSITORY/dists/SUITE/main/dep11/Components-ARCH.yml for each
# architecture, and the icons in icons-48x48.tar, icons-64x64.tar and
# icons-128x128.tar, each also compressed with gzip. apt fetches a file
# only where the suite's Release lists it uncompressed too, so both are
# kept. The suite's Packages indexes must be there already.
#
# The generator dates the catalogue and its icons by the clock: here they
# are dated SOURCE_DATE_EPOCH, so that the same packages always give the
# same files.
set -euo pipefail
me=${0##*/}
(($# >= 3)) || { echo "usage: $me REPOSITORY SUITE ARCH..." >&2; exit 2; }
[[ -n ${SOURCE_DATE_EPOCH:-} ]] || { echo "$me: SOURCE_DATE_EPOCH is not set" >&2; exit 1; }
repository=$(realpath "$1")
suite=$2
shift 2
workspace=$(mktemp -d)
trap 'rm -rf "$workspace"' EXIT

# Icons of the sizes software centres show, kept in the catalogue's own
# tarballs: nothing is fetched from elsewhere.
architectures=$(printf '"%s", ' "$@")
cat >"$workspace/asgen-config.json" <<CONFIG
{
  "ProjectName": "Brisvane",
  "ArchiveRoot": "$repository",
  "Backend": "debian",
  "Features": {"noDownloads": true, "createScreenshotsStore": false, "optimizePNGSize": false},
  "Suites": {"$suite": {"sections": ["main"], "architectures": [${architectures%, }]}},
  "Icons": {
    "48x48": {"cached": true, "remote": false},
    "64x64": {"cached": true, "remote": false},
    "128x128": {"cached": true, "remote": false}
  }
}
CONFIG
log=$workspace/log
if ! (cd "$workspace" && appstream-generator process "$suite") >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
failed() { cat "$log" >&2; echo "$me: $*" >&2; exit 1; }

made=$workspace/export/data/$suite/main
dep11=$repository/dists/$suite/main/dep11
rm -rf "$dep11"
mkdir -p "$dep11"
time=$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y%m%dT%H%M%S')
for arch; do
  [[ -e $made/Components-$arch.yml.gz ]] || failed "no catalogue for $arch"
  gzip -dc "$made/Components-$arch.yml.gz" | sed "0,/^Time: .*/s//Time: $time/" >"$dep11/Components-$arch.yml"
  grep -q '^ID: ' "$dep11/Components-$arch.yml" || failed "no application in the catalogue for $arch"
done
for size in 48x48 64x64 128x128; do
  icons=$workspace/icons-$size
  mkdir "$icons"
  tar -xzf "$made/icons-$size.tar.gz" -C "$icons"
  (cd "$icons" && find . -type f -printf '%P\n' | LC_ALL=C sort |
    tar --create --file "$dep11/icons-$size.tar" --format=gnu --no-recursion --verbatim-files-from --files-from=- \
      --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner --mode=0644)
done
for file in "$dep11"/*; do gzip -9n <"$file" >"$file.gz"; done
