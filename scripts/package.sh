#!/usr/bin/env bash
# Builds the Debian package from a release build: build/package/orvanta_<version>_<arch>.deb.
# Install it with: sudo apt-get install ./build/package/orvanta_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
# Among the packages: dpkg-dev for dpkg-shlibdeps, which works out the library dependencies.
scripts/setup.sh
cmake --preset release -B build/package -DORVANTA_BUILD_TESTS=OFF -DORVANTA_BUILD_BENCH=OFF \
    >/dev/null
cmake --build build/package
rm -f build/package/orvanta_*.deb
(cd build/package && cpack -G DEB)
ls build/package/orvanta_*.deb
