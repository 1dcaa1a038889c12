#!/bin/bash
# Builds everything and runs every test: host unit tests (plain and with
# AddressSanitizer + UndefinedBehaviorSanitizer), the fuzz targets for a bounded
# time, then the Win32 tests and the end-to-end journeys under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
jobs=$(nproc)

for variant in host host-asan; do
    sanitize=OFF
    [ "$variant" = host-asan ] && sanitize=ON
    cmake -S . -B "build/$variant" -DCMAKE_BUILD_TYPE=Debug -DTAVRIK_SANITIZE=$sanitize >/dev/null
    cmake --build "build/$variant" -j"$jobs"
    ctest --test-dir "build/$variant" --output-on-failure -j"$jobs"
done
scripts/fuzz.sh  # each fuzz target for a bounded time (TAVRIK_FUZZ_SECONDS, default 30)

# Signed as a release is, with a throwaway certificate of the tests' own,
# unless a real one is named.
if [ -z "${TAVRIK_SIGN_CERT:-}" ]; then
    tests/support/make_test_certificate.sh build/test-certificate
    export TAVRIK_SIGN_CERT="$root/build/test-certificate/sign.pem" TAVRIK_SIGN_KEY="$root/build/test-certificate/sign.key"
    export TAVRIK_SIGN_CA="$root/build/test-certificate/ca.pem" TAVRIK_SIGN_TIMESTAMP=""
fi
# Both Windows builds from the same sources: 64-bit (x64) first, then 32-bit
# (x86), whose setup carries both programs; the 64-bit build's install journey
# installs that setup too.
version=$(sed -n 's/^project(Tavrik VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DTAVRIK_SETUP_BUILT="$root/build/win32/Tavrik-$version-setup.exe" >/dev/null
cmake --build build/win64 -j"$jobs"
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
    -DTAVRIK_EXE64="$root/build/win64/Tavrik.exe" >/dev/null
cmake --build build/win32 -j"$jobs"

# The Win32 tests, the journeys and the soak against each, the 64-bit build
# in a 64-bit Wine prefix of its own.
source scripts/wine-env.sh
trap wine_env_stop EXIT
for build in win32 win64; do
    TAVRIK_OWN_DISPLAY=1 wine_env_start "$root/build/$build"
    ctest --test-dir "build/$build" --output-on-failure
    wine_env_stop
done
echo "All tests passed. Journey screenshots: $root/build/win32/journeys, $root/build/win64/journeys"
