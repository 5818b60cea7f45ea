#!/bin/sh
# Usage: CheckZoneImport.sh OBJDUMP EXECUTABLE
# The zone query is looked up by name at first use, so the executable's
# import table must name GetProcAddress and not GetTimeZoneInformation.
imports=$("$1" -p "$2") || exit 1
if ! echo "$imports" | grep -q 'GetProcAddress'; then
  echo "GetProcAddress is not imported"
  exit 1
fi
if echo "$imports" | grep -q 'GetTimeZoneInformation'; then
  echo "GetTimeZoneInformation is in the import table:"
  echo "$imports" | grep 'GetTimeZoneInformation'
  exit 1
fi
echo "GetTimeZoneInformation is not imported; GetProcAddress is"
