#!/bin/bash
# Installs the Debian packages the build and the tests need, where missing.
# Run as root (or with sudo available) on a Debian 12 machine.
set -euo pipefail

packages=(cmake g++ make libgtest-dev g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
          g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
          wine wine32:i386 wine64 fonts-wine xvfb xdotool imagemagick x11-utils locales nsis
          python3 python3-yaml  # the soak's driver; the winget manifests' check
          osslsigncode openssl  # signing the build, and the tests' own certificate
          wixl wixl-data msitools  # the MSI: built with wixl, read back with msiinfo
          clang libclang-rt-14-dev)  # clang and its libFuzzer for the fuzz targets

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
# A mirror caught mid-sync fails one index or another. Where the one that
# failed is an update suite's index for one architecture only, the 32-bit and
# 64-bit copies of a shared library would come from different suites and apt
# refuses them; the release's own versions agree, so those are taken then.
indexes_complete=1
$sudo apt-get update -q || indexes_complete=0
if ! $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"; then
    [ "$indexes_complete" -eq 1 ] && exit 1
    echo "setup.sh: some package indexes could not be updated; installing the release's own versions" >&2
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    $sudo apt-get install -y -q --no-install-recommends -t "$release" "${missing[@]}"
fi
