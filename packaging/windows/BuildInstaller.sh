#!/usr/bin/env bash
# Usage: BuildInstaller.sh MSI VERSION PRODUCT_CODE UPGRADE_CODE FILE_VERSION LICENSE WXS
#
# Builds the installer MSI from WXS with msitools' wixl, run in the folder
# that holds Brisvane.exe and LICENSE, then sets right with msitools'
# msibuild what Debian 12's wixl gets wrong or leaves to chance. The result
# depends on its inputs alone: built again, it is the same byte for byte.
set -euo pipefail
(($# == 7)) || { echo "usage: ${0##*/} MSI VERSION PRODUCT_CODE UPGRADE_CODE FILE_VERSION LICENSE WXS" >&2; exit 2; }
msi=$1 version=$2 product_code=$3 upgrade_code=$4 file_version=$5 license=$6 wxs=$7

# wixl dates the summary stream by its clock: faketime stops that clock at
# SOURCE_DATE_EPOCH, where it is set.
clock=()
if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
  clock=(env TZ=UTC faketime "$(TZ=UTC date -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')")
fi
rm -f "$msi"
"${clock[@]}" wixl -a x64 -D Version="$version" -D ProductCode="$product_code" -D UpgradeCode="$upgrade_code" \
  -D License="$license" -o "$msi" "$wxs"

# HKMU is root -1 (the user's hive, or the machine's with ALLUSERS=1); wixl
# writes 4. And wixl leaves the program's version out of the File table, so
# that Windows Installer would treat it as an unversioned file when a newer
# one replaces it: the version and the language of its version resource.
msibuild "$msi" -q "UPDATE Registry SET Root = -1 WHERE Root = 4"
msibuild "$msi" -q "UPDATE File SET Version = '$file_version', Language = '1033' WHERE File = 'BrisvaneExe'"

# The package code, which wixl makes at random: a name-based UUID of the
# version and of the package itself, hashed with a placeholder code in its
# place, so that any change of contents gives a new code.
# msibuild sets the code only together with the subject, author and
# template, which stay as wixl wrote them.
summary() { msiinfo suminfo "$msi" | sed -n "s/^$1: //p"; }
set_package_code() { msibuild "$msi" -s "$(summary Subject)" "$(summary Author)" "$(summary Template)" "{$1}"; }
set_package_code 00000000-0000-0000-0000-000000000000
contents=$(sha256sum <"$msi")
set_package_code "$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
  "$upgrade_code" "Brisvane $version x64 package ${contents%% *}")"
