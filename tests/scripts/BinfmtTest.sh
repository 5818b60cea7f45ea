#!/usr/bin/env bash
# scripts/lib/binfmt leaves binfmt_misc as it found it, as root, with
# qemu-user-static installed (CI runs it):
#   tests/scripts/BinfmtTest.sh
# Its set-up and tear-down run around the states a machine may be in:
# binfmt_misc unmounted (where the machine has it so), mounted with a
# registration of someone else's, disabled, and with a registration made
# in between by something else (a package's installation). Each time, what
# the kernel shows before and after must be the same. The test leaves the
# machine as it found it too.
set -euo pipefail
# shellcheck source=../../scripts/lib/binfmt
. "$(dirname "$0")/../../scripts/lib/binfmt"
me=${0##*/}
fail() { echo "$me: FAIL: $*" >&2; exit 1; }
foreign=brisvane-test-foreign
other=brisvane-test-installed

# Everything the kernel shows of binfmt_misc.
snapshot() {
  local entry
  if ! mountpoint -q "$binfmt"; then echo "not mounted"; return; fi
  for entry in "$binfmt"/*; do
    [ "${entry##*/}" = register ] || printf '== %s\n%s\n' "${entry##*/}" "$(<"$entry")"
  done
}
register() {  # NAME MAGIC
  echo ":$1:M::$2::/bin/false:" >"$binfmt/register"
}

found_mounted=no
mountpoint -q "$binfmt" && found_mounted=yes
found_status=
cleanup() {
  [ ! -e "$binfmt/$foreign" ] || echo -1 >"$binfmt/$foreign"
  [ ! -e "$binfmt/$other" ] || echo -1 >"$binfmt/$other"
  [ -z "$found_status" ] || echo "$found_status" >"$binfmt/status"
  if [ $found_mounted = no ] && mountpoint -q "$binfmt"; then umount "$binfmt"; fi
}
trap cleanup EXIT

# The set-up and tear-down as scripts/debian runs them, with what else
# happens in between ($1: a command, or true).
around() {
  local before after
  before=$(snapshot)
  binfmt_record
  binfmt_add_qemu qemu-arm
  [ -e "$binfmt/brisvane-qemu-arm" ] || fail "$2: no emulator registered"
  grep -qx enabled "$binfmt/status" || fail "$2: binfmt_misc not enabled"
  "$1"
  binfmt_restore || fail "$2: the tear-down failed"
  after=$(snapshot)
  [ "$before" = "$after" ] || fail "$2: binfmt_misc differs; before:
$before
after:
$after"
  echo "ok: $2"
}

if [ $found_mounted = no ]; then
  around true "unmounted"
  mount -t binfmt_misc binfmt_misc "$binfmt"
fi
if [ "$(<"$binfmt/status")" = enabled ]; then found_status=1; else found_status=0; fi
register "$foreign" '\x7fBRISVANE1'
around true "a registration of someone else's"
installs() { register "$other" '\x7fBRISVANE2'; }
around installs "a registration made in between"
echo 0 >"$binfmt/status"
around true "binfmt_misc disabled"
