#!/bin/sh
# Usage: CheckVersion.sh VERSION FILE...
# Reads the version back out of each built file that carries one and
# compares it with the project's one version. Brisvane.exe's version record
# is read by resource_tests, through the Windows API.
set -eu
version=$1
shift
status=0
for file; do
  case $file in
    *.msi) found=$(msiinfo export "$file" Property | tr -d '\r' | awk -F '\t' '$1 == "ProductVersion" { print $2 }') ;;
    *.metainfo.xml) found=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$file") ;;
    *.1.gz) found=$(gzip -dc "$file" | sed -n 's/^\.TH .* "Brisvane \([^"]*\)"$/\1/p') ;;
    *) echo "$file: no version to read"; exit 2 ;;
  esac
  if [ "$found" = "$version" ]; then
    echo "$file: $found"
  else
    echo "$file: version \"$found\", not \"$version\""
    status=1
  fi
done
exit $status
