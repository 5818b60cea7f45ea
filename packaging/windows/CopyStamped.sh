#!/usr/bin/env bash
# Usage: CopyStamped.sh FOLDER SOURCE NAME [SOURCE NAME]...
# Copies each SOURCE to FOLDER/NAME, readable by all, and dated by
# SOURCE_DATE_EPOCH where it is set, so that an archive of the folder
# depends on the files' contents alone and not on when they were built.
set -euo pipefail
folder=$1
shift
mkdir -p "$folder"
while (($# >= 2)); do
  cp "$1" "$folder/$2"
  chmod 0644 "$folder/$2"
  if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
    touch -d "@$SOURCE_DATE_EPOCH" "$folder/$2"
  fi
  shift 2
done
