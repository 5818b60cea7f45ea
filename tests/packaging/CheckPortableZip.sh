#!/usr/bin/env bash
# Usage: CheckPortableZip.sh ZIP Brisvane.exe LICENSE
# The portable zip holds exactly the program and its licence, as
# LICENSE.txt (a name Windows opens with a double click), each the same
# bytes as the built file.
set -euo pipefail
zip=$1
exe=$2
license=$3
fail() { echo "$zip: $*"; exit 1; }

members=$(unzip -Z1 "$zip" | tr '\n' ' ')
[[ $members == "Brisvane.exe LICENSE.txt " ]] || fail "holds $members, not Brisvane.exe LICENSE.txt"
echo "members: $members"
for pair in "Brisvane.exe:$exe" "LICENSE.txt:$license"; do
  unzip -p "$zip" "${pair%%:*}" | cmp -s - "${pair#*:}" || fail "${pair%%:*} is not ${pair#*:}"
  echo "${pair%%:*}: the same as ${pair#*:}"
done
