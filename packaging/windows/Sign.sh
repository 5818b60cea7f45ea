#!/usr/bin/env bash
# Usage: Sign.sh FILE
# Gives FILE (Brisvane.exe or its installer) an Authenticode signature, in
# place, and leaves the signature beside it as FILE.signature.pem (PKCS#7),
# to be published with the release. FILE keeps its modification time. Either with a key:
#   BRISVANE_SIGN_PKCS12=KEY.p12         the key and its certificates, or
#   BRISVANE_SIGN_PKCS11_MODULE=MODULE   a key on a PKCS#11 token: the token's
#   BRISVANE_SIGN_PKCS11_KEY=URI         module, the key's pkcs11: URI and the
#   BRISVANE_SIGN_CERT=CERTS.pem         certificate chain that goes with it
#   BRISVANE_SIGN_PASSWORD_FILE=FILE     the PKCS#12 password or the PIN (optional)
#   BRISVANE_SIGN_TIMESTAMP_URL=URL      an RFC 3161 time-stamp server (optional)
# signed at SOURCE_DATE_EPOCH; or, to rebuild a signed release without the
# key, with the signatures published with it:
#   BRISVANE_SIGNATURES=FOLDER           holding NAME.signature.pem for FILE's NAME
# osslsigncode attaches a signature only to the file it was made for, so a
# rebuild that differs by one byte fails here.
set -euo pipefail
(($# == 1)) || { echo "usage: ${0##*/} FILE" >&2; exit 2; }
file=$1
name=${file##*/}
signed=$file.signed
trap 'rm -f "$signed"' EXIT

if [[ -n ${BRISVANE_SIGNATURES:-} ]]; then
  signature=$BRISVANE_SIGNATURES/$name.signature.pem
  # osslsigncode attaches only a signature that it can verify for the file.
  # Whether its certificate is to be trusted is the user's question, not
  # the rebuild's: the chain is taken as the signature carries it (with the
  # system's roots), at a time when all of it was valid.
  trusted=$file.certificates.pem
  trap 'rm -f "$signed" "$trusted"' EXIT
  openssl pkcs7 -in "$signature" -print_certs -out "$trusted"
  if [[ -r /etc/ssl/certs/ca-certificates.crt ]]; then cat /etc/ssl/certs/ca-certificates.crt >>"$trusted"; fi
  valid_at=$(openssl pkcs7 -in "$signature" -print_certs -text -noout | sed -n 's/^ *Not Before: //p' |
    while read -r start; do date -d "$start" +%s; done | sort -n | tail -n 1)
  osslsigncode attach-signature -sigin "$signature" -CAfile "$trusted" -time "$valid_at" \
    -in "$file" -out "$signed" >/dev/null || { echo "${0##*/}: $signature is not a signature of $file" >&2; exit 1; }
  cp "$signature" "$file.signature.pem"
else
  options=(-h sha256 -n Brisvane)
  if [[ -n ${BRISVANE_SIGN_PKCS12:-} ]]; then
    options+=(-pkcs12 "$BRISVANE_SIGN_PKCS12")
  elif [[ -n ${BRISVANE_SIGN_PKCS11_MODULE:-} ]]; then
    options+=(-pkcs11module "$BRISVANE_SIGN_PKCS11_MODULE" -key "${BRISVANE_SIGN_PKCS11_KEY:?names the key on the token}"
              -certs "${BRISVANE_SIGN_CERT:?the certificate chain of the key}")
  else
    echo "${0##*/}: no key (BRISVANE_SIGN_PKCS12 or BRISVANE_SIGN_PKCS11_MODULE) and no BRISVANE_SIGNATURES" >&2
    exit 2
  fi
  [[ -z ${BRISVANE_SIGN_PASSWORD_FILE:-} ]] || options+=(-readpass "$BRISVANE_SIGN_PASSWORD_FILE")
  [[ -z ${SOURCE_DATE_EPOCH:-} ]] || options+=(-time "$SOURCE_DATE_EPOCH")
  [[ -z ${BRISVANE_SIGN_TIMESTAMP_URL:-} ]] || options+=(-ts "$BRISVANE_SIGN_TIMESTAMP_URL")
  osslsigncode sign "${options[@]}" -in "$file" -out "$signed" >/dev/null
  rm -f "$file.signature.pem"
  osslsigncode extract-signature -pem -in "$signed" -out "$file.signature.pem" >/dev/null
fi
touch -r "$file" "$signed"
mv "$signed" "$file"
