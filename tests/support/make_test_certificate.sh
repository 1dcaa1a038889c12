#!/bin/bash
# A throwaway certificate authority and a code-signing certificate it issued,
# for the tests to sign the build with and verify every signature against:
#   make_test_certificate.sh <folder>  ->  ca.pem, sign.pem (with ca.pem), sign.key
# Made once per folder; nothing of it is a real identity.
set -euo pipefail
dir=$1
[ -f "$dir/sign.pem" ] && [ -f "$dir/sign.key" ] && [ -f "$dir/ca.pem" ] && exit 0
mkdir -p "$dir"
cd "$dir"
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 3650 -sha256 \
    -subj "/CN=Tavrik Test CA" -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout sign.key -out sign.csr -sha256 -subj "/CN=Tavrik Test Signing" 2>/dev/null
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >sign.ext
openssl x509 -req -in sign.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out sign-only.pem -days 3650 -sha256 \
    -extfile sign.ext 2>/dev/null
cat sign-only.pem ca.pem >sign.pem
rm -f sign.csr sign.ext
