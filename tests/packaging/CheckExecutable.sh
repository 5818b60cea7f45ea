#!/bin/sh
# Usage: CheckExecutable.sh OBJDUMP Brisvane.exe
# The program is one file that runs on a bare Windows: at most 2 MB, and it
# imports nothing but Windows' own DLLs (no C++ or threads runtime beside
# it). The zone query is looked up by name at its first use, so the import
# table names GetProcAddress and not GetTimeZoneInformation. Windows loads
# it at a random address anywhere in the 64-bit space (ASLR, high entropy)
# and never runs its data (DEP), and it carries no link time, which would
# make every build differ.
set -eu
objdump=$1
exe=$2
fail() { echo "$exe: $*"; exit 1; }

size=$(wc -c <"$exe")
[ "$size" -le 2097152 ] || fail "$size bytes, more than 2 MB"
echo "size: $size bytes"

imports=$("$objdump" -p "$exe")
dlls=$(echo "$imports" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort)
for dll in $dlls; do
  case $dll in
    kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | advapi32.dll | comctl32.dll) ;;
    *) fail "imports $dll, which is not part of Windows" ;;
  esac
done
echo "imports:" "$(echo "$dlls" | tr '\n' ' ')"

echo "$imports" | grep -q 'GetProcAddress' || fail "GetProcAddress is not imported"
! echo "$imports" | grep -q 'GetTimeZoneInformation' || fail "GetTimeZoneInformation is in the import table"
echo "GetTimeZoneInformation is bound at first use, not imported"

# The flags objdump lists, one a line, under DllCharacteristics.
flags=$(echo "$imports" | awk '/^DllCharacteristics/ { on = 1; next } on && /^\t/ { print $1; next } { on = 0 }')
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
  echo "$flags" | grep -qx "$flag" || fail "DllCharacteristics lack $flag"
done
echo "DllCharacteristics:" "$(echo "$flags" | tr '\n' ' ')"

# TimeDateStamp, 8 bytes into the PE header, whose offset is at 0x3c.
header=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
stamp=$(od -An -tu4 -j$((header + 8)) -N4 "$exe" | tr -d ' ')
[ "$stamp" -eq 0 ] || fail "carries a link time ($stamp)"
echo "no link time"
