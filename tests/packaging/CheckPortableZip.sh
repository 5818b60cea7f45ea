#!/usr/bin/env bash
# Usage: CheckPortableZip.sh ZIP Brisvane.exe LICENSE [MSI]
# The portable zip holds exactly the program and its licence, as
# LICENSE.txt (a name Windows opens with a double click), each the same
# bytes as the file given: the program as packaged, signed in a signed
# build. So does the installer's cabinet, where MSI is given.
set -euo pipefail
zip=$1
exe=$2
license=$3
fail() { echo "$zip: $*"; exit 1; }

members=$(unzip -Z1 "$zip" | tr '\n' ' ')
[[ $members == "Brisvane.exe LICENSE.txt " ]] || fail "holds $members, not Brisvane.exe LICENSE.txt"
echo "members: $members"
cabinet=$(mktemp -d)
trap 'rm -rf "$cabinet"' EXIT
[[ -z ${4:-} ]] || msiextract -C "$cabinet" "$4" >/dev/null
for pair in "Brisvane.exe:$exe" "LICENSE.txt:$license"; do
  unzip -p "$zip" "${pair%%:*}" | cmp -s - "${pair#*:}" || fail "${pair%%:*} is not ${pair#*:}"
  [[ -z ${4:-} ]] || cmp -s "$cabinet/Brisvane/${pair%%:*}" "${pair#*:}" || fail "$4 holds another ${pair%%:*}"
  echo "${pair%%:*}: the same as ${pair#*:}"
done
