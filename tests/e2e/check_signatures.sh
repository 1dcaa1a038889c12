#!/bin/bash
# Every file given carries an Authenticode SHA-256 signature that verifies
# against the certificate authority given first.
#   check_signatures.sh <ca.pem> <file>...
set -uo pipefail
ca=$1
shift
failures=0
for file in "$@"; do
    out=$(osslsigncode verify -CAfile "$ca" -in "$file" 2>&1)
    if grep -q '^Signature verification: ok' <<<"$out" && grep -qi 'digest algorithm *: *SHA256' <<<"$out"; then
        echo "ok: $(basename "$file") is signed (SHA-256) by a certificate of the test CA"
    else
        echo "FAIL: $(basename "$file"):"
        echo "$out" | tail -5
        failures=$((failures + 1))
    fi
done
exit $failures
