#!/bin/bash
# Usage: CheckInstaller.sh MSI [COMMAND...]
#
# Installs MSI in the Wine prefix $WINEPREFIX, checks the program, the
# licence beside it, its Start-menu shortcut and its uninstall entry, runs
# COMMAND (if given) with the installed program's Unix path as its last
# argument, uninstalls, and checks that nothing is left. The caller sets
# WINEPREFIX (WINEDEBUG=-all keeps the output readable) and keeps
# `wineserver -p` running, so that the many short wine calls below do not
# each start a server.
set -euo pipefail

me=${0##*/}
fail() { echo "$me: FAIL: $*" >&2; exit 1; }

(($# >= 1)) || { echo "usage: $me MSI [COMMAND...]" >&2; exit 2; }
msi=$1
shift
[[ -f $msi ]] || fail "no such file: $msi"
[[ -n ${WINEPREFIX:-} && -d $WINEPREFIX/drive_c ]] || fail "WINEPREFIX does not name a Wine prefix: '${WINEPREFIX:-}'"
drive_c=$WINEPREFIX/drive_c

# The uninstall entry must carry the package's own product code and version;
# reading them from the package means the script needs no edit per release.
msi_property() {
  msiinfo export "$msi" Property | tr -d '\r' | awk -F '\t' -v name="$1" '$1 == name { print $2 }'
}
product_code=$(msi_property ProductCode) || fail "msiinfo cannot read $msi"
version=$(msi_property ProductVersion) || fail "msiinfo cannot read $msi"
[[ -n $product_code && -n $version ]] || fail "$msi has no ProductCode or ProductVersion"

folder="$drive_c/Program Files/Brisvane"
exe=$folder/Brisvane.exe
license=$folder/LICENSE.txt
# A per-machine install belongs in the all-users Start menu, but Wine 8's
# msi always uses the current user's one (ProgramMenuFolder ignores
# ALLUSERS), so look in both. Sets links to the shortcuts found.
find_shortcuts() {
  local f
  links=()
  for f in "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brisvane.lnk" \
           "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Brisvane.lnk; do
    if [[ -e $f ]]; then links+=("$f"); fi
  done
}
# Sets entries to "KEY<TAB>DisplayVersion" for each uninstall entry whose
# DisplayName is Brisvane. The package is 64-bit, so its entry is in the
# 64-bit view. A variable, not output, so that a failing query stops here.
find_uninstall_entries() {
  local listing
  listing=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:64) ||
    fail "wine reg query of the uninstall entries failed"
  mapfile -t entries < <(tr -d '\r' <<<"$listing" | awk '
    /^HKEY_/ { if (name == "Brisvane") print key "\t" ver; key = $0; name = ""; ver = "" }
    sub(/^    DisplayName    REG_SZ    /, "") { name = $0 }
    sub(/^    DisplayVersion    REG_SZ    /, "") { ver = $0 }
    END { if (name == "Brisvane") print key "\t" ver }')
}
# The registry value that the shortcut's component keeps as its key path.
shortcut_key_exists() { wine reg query 'HKCU\Software\Brisvane' >/dev/null 2>&1; }

# Leftovers from an earlier run would make every check below meaningless.
find_shortcuts
find_uninstall_entries
if ((${#entries[@]} > 0)); then
  key=${entries[0]%%$'\t'*}
  fail "the prefix already has Brisvane installed; uninstall it first: wine msiexec /x ${key##*\\} /qn"
elif [[ -e $folder ]] || ((${#links[@]} > 0)); then
  fail "the prefix already has Brisvane files ($folder or a Start-menu Brisvane.lnk); remove them first"
fi

# Once installed, a failing check still uninstalls, so that the next run
# starts from a clean prefix again.
installed=no
cleanup() {
  if [[ $installed == yes ]]; then
    wine msiexec /x "$msi" /qn || true
    echo "$me: uninstalled after the failure" >&2
  fi
}
trap cleanup EXIT

wine msiexec /i "$msi" /qn || fail "wine msiexec /i $msi /qn exited with $?"
installed=yes
echo "ok: installed $msi"

[[ -f $exe ]] || fail "no program at $exe"
echo "ok: program at ${exe#"$WINEPREFIX/"}"
[[ -f $license ]] || fail "no licence at $license"
echo "ok: licence at ${license#"$WINEPREFIX/"}"

find_shortcuts
((${#links[@]} == 1)) || fail "expected one Brisvane.lnk in a Start menu, found ${#links[@]}"
grep -qaF 'C:\Program Files\Brisvane\Brisvane.exe' "${links[0]}" ||
  fail "${links[0]} does not name C:\\Program Files\\Brisvane\\Brisvane.exe"
echo "ok: Start-menu shortcut at ${links[0]#"$WINEPREFIX/"}"

find_uninstall_entries
((${#entries[@]} == 1)) || fail "expected one uninstall entry named Brisvane, found ${#entries[@]}"
key=${entries[0]%%$'\t'*}
key_version=${entries[0]#*$'\t'}
[[ ${key##*\\} == "$product_code" ]] || fail "uninstall entry $key is not the package's product $product_code"
[[ $key_version == "$version" ]] || fail "uninstall entry has DisplayVersion '$key_version', not '$version'"
echo "ok: uninstall entry $product_code, Brisvane $version"

# ARPPRODUCTICON: the installer keeps the icon for Add/Remove Programs.
[[ -f $drive_c/windows/Installer/$product_code/Brisvane.exe ]] || fail "no Add/Remove Programs icon cached"
echo "ok: Add/Remove Programs icon cached"

if (($# > 0)); then
  "$@" "$exe" || fail "command exited with $?: $*"
  echo "ok: command passed: $*"
fi

installed=no
wine msiexec /x "$msi" /qn || fail "wine msiexec /x $msi /qn exited with $?"
echo "ok: uninstalled"

# Wine's msiexec /x also exits 0 when the product was not installed at all,
# so only what is left on disk and in the registry tells.
[[ ! -e $exe ]] || fail "program left at $exe"
echo "ok: no program left"
[[ ! -e $folder ]] || fail "folder left at $folder"
echo "ok: no Brisvane folder left"
find_shortcuts
((${#links[@]} == 0)) || fail "shortcut left: ${links[*]}"
echo "ok: no shortcut left"
find_uninstall_entries
((${#entries[@]} == 0)) || fail "uninstall entry left: ${entries[*]%%$'\t'*}"
echo "ok: no uninstall entry left"
! shortcut_key_exists || fail "HKCU\\Software\\Brisvane left"
echo "ok: no HKCU\\Software\\Brisvane left"
[[ ! -e $drive_c/windows/Installer/$product_code ]] || fail "installer cache left for $product_code"
echo "ok: no installer cache left"
