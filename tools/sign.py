#!/usr/bin/env python3
"""Signs a Windows program in place with Authenticode (SHA-256), by osslsigncode:

    sign.py CERT KEY TIMESTAMP_URL FILE

CERT is the certificate (PEM, with its chain), KEY its private key (PEM);
TIMESTAMP_URL an RFC 3161 time-stamp server, or "-" for none. The file is
replaced only by a whole signed copy. Fails (exit 1) when signing fails, so a
build never ships a file it was asked to sign unsigned."""
import os
import subprocess
import sys


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    cert, key, timestamp, path = sys.argv[1:]
    signed = path + ".signed"
    command = ["osslsigncode", "sign", "-certs", cert, "-key", key, "-h", "sha256", "-n", "Tavrik",
               "-in", path, "-out", signed]
    if timestamp != "-":
        command[2:2] = ["-ts", timestamp]
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if result.returncode != 0 or not os.path.exists(signed):
        print(f"sign: {path} could not be signed:\n{result.stdout}", file=sys.stderr)
        if os.path.exists(signed):
            os.remove(signed)
        sys.exit(1)
    os.replace(signed, path)


if __name__ == "__main__":
    main()
