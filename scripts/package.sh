#!/usr/bin/env bash
# Builds a Release tree in build-package/ and makes the Debian package from it with CPack.
# Prints the path of the .deb on standard output (the build's own output goes to stderr).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${LINKRAKE_JOBS:-$(nproc)}
# Debian's own optimisation and hardening flags (-O2, stack protector, read-only relocations),
# as a package built by the distribution would have them.
cxxflags="$(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS) -Wl,-z,now"
{
  cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DLINKRAKE_BENCH=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" \
        -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
  cmake --build build-package -j "$jobs"
  rm -f build-package/linkrake_*.deb
  (cd build-package && cpack -G DEB)
} >&2
deb=$(ls build-package/linkrake_*.deb)
echo "$PWD/$deb"
