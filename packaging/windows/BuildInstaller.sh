#!/usr/bin/env bash
# Usage: BuildInstaller.sh MSI FILE_VERSION WXS [-D NAME=VALUE]...
#
# Builds the installer MSI from WXS with msitools' wixl and the definitions
# given, in the folder of the files it packs, then sets right with msibuild
# what Debian 12's wixl gets wrong or leaves to chance. The result depends
# on its inputs alone: built again, it is the same byte for byte.
set -euo pipefail
(($# >= 3)) || { echo "usage: ${0##*/} MSI FILE_VERSION WXS [-D NAME=VALUE]..." >&2; exit 2; }
msi=$1 file_version=$2 wxs=$3
shift 3

# wixl dates the summary stream by its clock, which faketime -f stops at
# SOURCE_DATE_EPOCH, where set: without -f it runs on from there, a second on for a late wixl.
clock=()
if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
  clock=(env TZ=UTC faketime -f "$(TZ=UTC date -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')")
fi
rm -f "$msi"
"${clock[@]}" wixl -a x64 "$@" -o "$msi" "$wxs"

# HKMU is root -1 (the user's hive, or the machine's with ALLUSERS=1); wixl
# writes 4. wixl leaves the program's version out of the File table, so
# that Windows Installer would treat it as an unversioned file when a newer
# one replaces it: the version and the language of its version resource,
# and no hash, which a versioned file must not have. wixl puts the removal
# of an earlier version after InstallFinalize with some numbers of custom
# actions: it belongs right after InstallValidate.
msibuild "$msi" -q "UPDATE Registry SET Root = -1 WHERE Root = 4" \
  -q "UPDATE File SET Version = '$file_version', Language = '1033' WHERE File = 'BrisvaneExe'" \
  -q "DELETE FROM MsiFileHash WHERE File_ = 'BrisvaneExe'" \
  -q "UPDATE InstallExecuteSequence SET Sequence = 1401 WHERE Action = 'RemoveExistingProducts'"

# The package code, which wixl makes at random: a name-based UUID of the
# package itself, hashed with a placeholder code in its place, under its
# upgrade code, so that any change of contents gives a new code.
# msibuild sets the code only together with the subject, author and
# template, which stay as wixl wrote them.
summary() { msiinfo suminfo "$msi" | sed -n "s/^$1: //p"; }
set_package_code() { msibuild "$msi" -s "$(summary Subject)" "$(summary Author)" "$(summary Template)" "{$1}"; }
set_package_code 00000000-0000-0000-0000-000000000000
contents=$(sha256sum <"$msi")
upgrade_code=$(msiinfo export "$msi" Property | tr -d '\r{}' | awk -F '\t' '$1 == "UpgradeCode" { print $2 }')
set_package_code "$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
  "$upgrade_code" "Brisvane x64 package ${contents%% *}")"
