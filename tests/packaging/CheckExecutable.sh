#!/bin/sh
# Usage: CheckExecutable.sh OBJDUMP Brisvane.exe
# The program is one file that runs on a bare Windows: at most 2 MB, and it
# imports nothing but Windows' own DLLs (no C++ or threads runtime beside
# it). The zone query is looked up by name at its first use, so the import
# table names GetProcAddress and not GetTimeZoneInformation.
set -eu
objdump=$1
exe=$2
fail() { echo "$exe: $*"; exit 1; }

size=$(wc -c <"$exe")
[ "$size" -le 2097152 ] || fail "$size bytes, more than 2 MB"
echo "size: $size bytes"

imports=$("$objdump" -p "$exe")
dlls=$(echo "$imports" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort)
for dll in $dlls; do
  case $dll in
    kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | advapi32.dll | comctl32.dll) ;;
    *) fail "imports $dll, which is not part of Windows" ;;
  esac
done
echo "imports:" $dlls

echo "$imports" | grep -q 'GetProcAddress' || fail "GetProcAddress is not imported"
if echo "$imports" | grep -q 'GetTimeZoneInformation'; then
  fail "GetTimeZoneInformation is in the import table"
fi
echo "GetTimeZoneInformation is bound at first use, not imported"
