#!/usr/bin/env bash
# Usage: CheckInstaller.sh WINGET ICON MSI NEXT_MSI [COMMAND...]
# Checks MSI's tables by Windows Installer's rules; in the Wine prefix
# $WINEPREFIX, installs it as winget runs each MSI entry in WINGET (user and
# machine, default folder and --location), checks what it installed and runs
# COMMAND (if given) on the program's Unix path; upgrades to NEXT_MSI as
# `winget upgrade` does, sees MSI refused, removes it by product code and
# finds nothing left; and sees an install in one scope refuse the other.
# The caller keeps `wineserver -p` running: each wine call would start one.
set -euo pipefail

me=${0##*/}
fail() { echo "$me: FAIL: $*" >&2; exit 1; }

(($# >= 4)) || { echo "usage: $me WINGET ICON MSI NEXT_MSI [COMMAND...]" >&2; exit 2; }
winget=$1 icon=$2 msi=$3 next_msi=$4
shift 4
tests=$(dirname "$0")/../../tests/packaging
python3 "$tests/InstallerTablesTest.py" "$msi" "$icon" || fail "the tables break Windows Installer's rules"
for f in "$msi" "$next_msi"; do [[ -f $f ]] || fail "no such file: $f"; done
[[ -n ${WINEPREFIX:-} && -d $WINEPREFIX/drive_c ]] || fail "WINEPREFIX does not name a Wine prefix: '${WINEPREFIX:-}'"

# What the uninstall entry must say, read from the packages.
msi_property() {
  msiinfo export "$1" Property | tr -d '\r' | awk -F '\t' -v name="$2" '$1 == name { print $2 }'
}
version=$(msi_property "$msi" ProductVersion) code=$(msi_property "$msi" ProductCode)
next_version=$(msi_property "$next_msi" ProductVersion) next_code=$(msi_property "$next_msi" ProductCode)
publisher=$(msi_property "$msi" Manufacturer)
[[ -n $version && -n $next_version && -n $publisher ]] || fail "msiinfo cannot read the packages"

winepath_of() { winepath -u "$(wine cmd /c echo "$1" | tr -d '\r')"; }
# The folders each scope installs into by default, and those given.
declare -A default_folder=([user]="$(winepath_of '%LOCALAPPDATA%')/Programs/Brisvane"
  [machine]="$(winepath_of '%ProgramW6432%')/Brisvane")
given_folders=$(winepath -u 'C:\Brisvane Tools')

# Sets `entries` to "KEY<TAB>VALUE..." for each subkey of KEY whose NAME_VALUE
# is Brisvane, with the further values named. A variable, not output, so
# that a failing query stops here.
registry_entries() {  # KEY NAME_VALUE VALUE...
  local key=$1 name=$2 listing
  shift 2
  listing=$(wine reg query "$key" /s /reg:64 2>/dev/null) || { entries=(); return; }
  mapfile -t entries < <(tr -d '\r' <<<"$listing" | awk -v name="$name" -v wanted="$*" '
    BEGIN { n = split(wanted, fields, " ") }
    function flush(  i, line) {
      if (values[name] != "Brisvane") return
      line = key; for (i = 1; i <= n; i++) line = line "\t" values[fields[i]]; print line
    }
    /^HKEY_/ { flush(); key = $0; delete values; next }
    match($0, /^    [^ ]+    REG_[A-Z_]+    /) { split($0, parts, /    /); values[parts[2]] = substr($0, RLENGTH + 1) }
    END { flush() }')
}
# Wine 8's msi writes every product's uninstall entry in the machine's
# hive; Windows writes a per-user one in the user's.
uninstall_entries() {
  local found=()
  for hive in HKCU HKLM; do
    registry_entries "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" DisplayName \
      DisplayVersion Publisher NoModify InstallLocation
    found+=("${entries[@]}")
  done
  entries=("${found[@]}")
}
# Where Windows Installer registers a product, and the hive HKMU is, by scope.
declare -A registration_key=([user]='HKCU\Software\Microsoft\Installer\Products'
  [machine]='HKLM\Software\Classes\Installer\Products') hkmu=([user]=HKCU [machine]=HKLM)
shortcuts() {
  find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Brisvane.lnk' 2>/dev/null || true
}

# Nothing of Brisvane anywhere: the state before an install, and after an
# uninstall.
check_nothing_left() {
  local what=$1 scope
  for scope in user machine; do
    for folder in "${default_folder[$scope]}" "$given_folders/For $scope"; do
      [[ ! -e $folder ]] || fail "$what: $folder"
    done
  done
  [[ -z $(shortcuts) ]] || fail "$what: $(shortcuts)"
  uninstall_entries
  ((${#entries[@]} == 0)) || fail "$what: uninstall entry ${entries[*]}"
  for scope in user machine; do
    registry_entries "${registration_key[$scope]}" ProductName
    ((${#entries[@]} == 0)) || fail "$what: registration ${entries[*]}"
    ! wine reg query "${hkmu[$scope]}\\Software\\Brisvane" /reg:64 >/dev/null 2>&1 ||
      fail "$what: ${hkmu[$scope]}\\Software\\Brisvane"
  done
  [[ -z $(find "$WINEPREFIX/drive_c" -ipath '*Installer/{*}/Brisvane.exe' 2>/dev/null) ]] ||
    fail "$what: an installer cache of Brisvane"
}

# Once something is installed, a failing check still uninstalls it.
cleanup() {
  wine msiexec /x "$next_code" /quiet /norestart >/dev/null 2>&1 || true
  wine msiexec /x "$code" /quiet /norestart >/dev/null 2>&1 || true
  rm -f "$log"
}

# Installs FILE as winget installs or upgrades the MSI entry of its version
# and SCOPE, with winget's options (--silent, --upgrade, --location PATH),
# logging to $log.
log=$(mktemp)
winget() {  # FILE SCOPE [OPTION...]
  local file=$1 scope=$2 arguments
  shift 2
  arguments=$(python3 "$tests/WingetManifestsTest.py" --arguments "$winget" "$(msi_property "$file" ProductVersion)" \
    "$scope" "$(winepath -w "$log")" "$@") || fail "no $scope entry for $file in $winget"
  mapfile -t arguments <<<"$arguments"
  wine msiexec /i "$file" "${arguments[@]}"
}

check_installed() {  # SCOPE FOLDER VERSION
  local scope=$1 folder=$2 expected_version=$3 exe=$2/Brisvane.exe
  [[ -f $exe && -f $folder/LICENSE.txt ]] || fail "$scope: no program and licence in $folder"
  local links
  links=$(shortcuts)
  [[ $(wc -l <<<"$links") == 1 && -n $links ]] || fail "$scope: expected one Start-menu shortcut, found '$links'"
  grep -qaF "$(winepath -w "$exe")" "$links" || fail "$scope: $links does not name $(winepath -w "$exe")"

  uninstall_entries
  ((${#entries[@]} == 1)) || fail "$scope: expected one uninstall entry named Brisvane, found ${#entries[@]}"
  IFS=$'\t' read -r _ shown_version shown_publisher no_modify shown_folder <<<"${entries[0]}"
  [[ $shown_version == "$expected_version" && $shown_publisher == "$publisher" && $no_modify == 0x1 &&
    $(winepath -u "$shown_folder") == "$folder/" ]] ||
    fail "$scope: uninstall entry says '$shown_version' '$shown_publisher' NoModify '$no_modify' in '$shown_folder'"

  # The product is registered in the scope's hive, with the icon that Apps
  # & features shows; the components' key paths are in the same hive.
  registry_entries "${registration_key[$scope]}" ProductName ProductIcon
  ((${#entries[@]} == 1)) || fail "$scope: not registered under ${registration_key[$scope]}"
  [[ -f $(winepath -u "${entries[0]#*$'\t'}") ]] || fail "$scope: no cached icon at ${entries[0]#*$'\t'}"
  wine reg query "${hkmu[$scope]}\\Software\\Brisvane" /reg:64 >/dev/null 2>&1 ||
    fail "$scope: no ${hkmu[$scope]}\\Software\\Brisvane"
  echo "ok: $scope: Brisvane $expected_version in ${folder#"$WINEPREFIX/"}, its shortcut, uninstall entry and icon"
}

check_nothing_left "the prefix already has Brisvane; uninstall it first"
trap cleanup EXIT
for row in user:default user:given machine:default machine:given; do
  scope=${row%:*} location=()
  folder=${default_folder[$scope]}
  if [[ $row == *:given ]]; then
    location=(--location "C:\\Brisvane Tools\\For $scope") folder="$given_folders/For $scope"
  fi
  options=()
  [[ $scope == user ]] || options=(ALLUSERS=1)

  # (Each wine call takes a second or more: a folder given is checked once,
  # after the upgrade, which stays where the install went.)
  winget "$msi" "$scope" "${location[@]}" || fail "$row: the install exited with $?"
  if [[ $row == *:default ]]; then
    check_installed "$scope" "$folder" "$version"
    if (($# > 0)); then
      "$@" "$folder/Brisvane.exe" >/dev/null || fail "$scope: command exited with $?: $*"
      echo "ok: $scope: the installed program passed $*"
    fi
  fi

  winget "$next_msi" "$scope" --upgrade --silent || fail "$row: the upgrade exited with $?"
  check_installed "$scope" "$folder" "$next_version"

  # Refused with ERROR_INSTALL_FAILURE (1603; the exit status keeps its low
  # byte): had it installed, the removal below would leave it behind.
  if [[ $row == *:default ]]; then
    status=0
    wine msiexec /i "$msi" "${options[@]}" /quiet /norestart /l*v "$(winepath -w "$log")" || status=$?
    ((status == 1603 % 256)) || fail "$scope: the downgrade exited with $status, not 1603"
    grep -qa "WIX_DOWNGRADE_DETECTED = {" "$log" || fail "$scope: the downgrade was not detected"
    echo "ok: $scope: the older version is refused"
  fi

  wine msiexec /x "$next_code" /quiet /norestart || fail "$scope: msiexec /x exited with $?"
  # msiexec /x also exits 0 when nothing was installed, so only what is
  # left on disk and in the registry tells.
  check_nothing_left "$row: left after msiexec /x"
  echo "ok: $row: nothing left after msiexec /x $next_code"
done

# Windows Installer finds an earlier version only in its own scope, so the
# later one, in the other scope, would sit beside it on Windows (Wine looks
# in both): it is refused instead, with a message naming the install there.
for pair in user:machine machine:user; do
  scope=${pair%:*} other=${pair#*:}
  winget "$msi" "$other" --silent || fail "$other: the install exited with $?"
  status=0
  winget "$next_msi" "$scope" --silent || status=$?
  ((status == 1603 % 256)) || fail "$scope: an install beside the $other's exited with $status, not 1603"
  grep -qaF "Property(S): ${other^^}FOLDER = $(winepath -w "${default_folder[$other]}")" "$log" ||
    fail "$scope: the $other's install was not found"
  [[ -f ${default_folder[$other]}/Brisvane.exe ]] || fail "$scope: the $other's install is gone"
  wine msiexec /x "$code" /quiet /norestart || fail "$other: msiexec /x exited with $?"
  check_nothing_left "$other: left after msiexec /x"
  echo "ok: $scope: refused beside the $other's install"
done
trap - EXIT
rm -f "$log"
