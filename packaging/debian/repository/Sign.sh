#!/usr/bin/env bash
# reprepro's signing hook (SignWith): signs a suite's Release file (FILE
# INRELEASE RELEASE_GPG, either of the last two may be empty) with
# BRISVANE_GPG_KEY, or takes a published release's signatures of it from
# BRISVANE_SIGNATURES once gpgv shows that they sign this very file. Signed
# now, not at the time the repository is dated (faketime's).
set -euo pipefail
unset LD_PRELOAD FAKETIME
release=$1 inline=$2 detached=$3
suite=$(sed -n 's/^Codename: //p' "$release") published=${BRISVANE_SIGNATURES:-}/apt
if [[ -n ${BRISVANE_SIGNATURES:-} ]]; then
  verify() { gpgv --quiet --keyring "$(realpath "$published/brisvane.gpg")" "$@" 2>/dev/null; }
  if ! { verify "$published/dists/$suite/Release.gpg" "$release" &&
    verify --output - "$published/dists/$suite/InRelease" | cmp -s - "$release"; }; then
    echo "${0##*/}: the published signatures of $suite do not sign this dists/$suite/Release" >&2
    exit 1
  fi
  [[ -z $inline ]] || cp "$published/dists/$suite/InRelease" "$inline"
  [[ -z $detached ]] || cp "$published/dists/$suite/Release.gpg" "$detached"
else
  sign() { gpg --batch --yes --local-user "$BRISVANE_GPG_KEY" "$@" "$release"; }
  [[ -z $inline ]] || sign --clearsign --output "$inline"
  [[ -z $detached ]] || sign --armor --detach-sign --output "$detached"
fi
