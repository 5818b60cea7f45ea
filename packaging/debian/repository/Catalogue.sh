#!/usr/bin/env bash
# reprepro's hook for each binary index it exports (DebIndices): the
# software centre's catalogue of the suite's packages for that
# architecture (AppStream's DEP-11, which GNOME Software, KDE Discover and
# appstreamcli read), made by Debian's appstream-generator beside the
# index: main/dep11/Components-ARCH.yml, and with the first architecture
# the icons, icons-48x48.tar and the like. Each is also compressed with
# gzip: apt fetches a file only where the suite's Release lists it
# uncompressed too. The names written to descriptor 3 are those reprepro
# lists there. The generator dates its files by the clock; here they are
# dated SOURCE_DATE_EPOCH, so that the same packages give the same files.
set -euo pipefail
dist=$1 index=$2
[[ $index =~ ^main/binary-([a-z0-9]+)/Packages ]] && [[ -s $dist/$index ]] || exit 0
arch=${BASH_REMATCH[1]} suite=${dist##*/} dep11=$dist/main/dep11
if [[ $4 == old ]]; then
  (cd "$dist" && find main/dep11 -name "Components-$arch.*" -o -name 'icons-*') >&3
  exit 0
fi
: "${SOURCE_DATE_EPOCH:?}"
# The generator reads an archive's usual places: the new index, and the
# repository's pool, in a folder of their own. The icons are kept in the
# catalogue's own tarballs, at the sizes software centres show.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/archive/dists/$suite/main/binary-$arch" "$dep11"
gzip -n <"$dist/$index" >"$work/archive/dists/$suite/main/binary-$arch/Packages.gz"
ln -s "$REPREPRO_OUT_DIR/pool" "$work/archive/pool"
icon='{"cached": true, "remote": false}'
cat >"$work/asgen-config.json" <<CONFIG
{"ProjectName": "Brisvane", "ArchiveRoot": "$work/archive", "Backend": "debian",
 "Features": {"noDownloads": true, "createScreenshotsStore": false, "optimizePNGSize": false},
 "Suites": {"$suite": {"sections": ["main"], "architectures": ["$arch"]}},
 "Icons": {"48x48": $icon, "64x64": $icon, "128x128": $icon}}
CONFIG
(cd "$work" && appstream-generator process "$suite") >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
made=$work/export/data/$suite/main
new=("main/dep11/Components-$arch.yml")
gzip -dc "$made/Components-$arch.yml.gz" |
  sed "0,/^Time: .*/s//Time: $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y%m%dT%H%M%S')/" >"$dist/${new[0]}.new"
grep -q '^ID: ' "$dist/${new[0]}.new" || { cat "$work/log" >&2; echo "no application in the catalogue" >&2; exit 1; }
if [[ ! -e $dep11/icons-48x48.tar.new ]]; then
  for size in 48x48 64x64 128x128; do
    mkdir "$work/$size"
    tar -xzmf "$made/icons-$size.tar.gz" -C "$work/$size"
    (cd "$work/$size" && find . -type f -printf '%P\n' | LC_ALL=C sort |
      tar -c -f "$dep11/icons-$size.tar.new" --format=gnu --no-recursion --verbatim-files-from -T - \
        --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner --mode=0644)
    new+=("main/dep11/icons-$size.tar")
  done
fi
for file in "${new[@]}"; do
  gzip -9n <"$dist/$file.new" >"$dist/$file.gz.new"
  printf '%s.new\n%s.gz.new\n' "$file" "$file" >&3
done
