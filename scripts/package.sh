#!/usr/bin/env bash
# Builds the Debian package in build-deb/ (a release build with Debian's hardening flags, no
# tests) and checks its metadata with the tools Debian uses: desktop-file-validate,
# appstreamcli and lintian (no error, no warning). With --install, then installs it and runs
# the installed checks of scripts/package-check.sh, which remove it again at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

package_tools=(lintian appstream desktop-file-utils librsvg2-bin dpkg-dev file man-db
               xdotool openbox x11-utils)
scripts/setup.sh "${package_tools[@]}"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
build=build-deb
echo "== building the package in $build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
  "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
  -DCMAKE_INSTALL_PREFIX=/usr -DTOBRISK_BUILD_TESTS=OFF -DTOBRISK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build"
rm -f "$build"/tobrisk_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tobrisk_*.deb)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Section Depends

echo "== desktop-file-validate"
desktop-file-validate packaging/org.tobrisk.Tobrisk.desktop
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$build/packaging/org.tobrisk.Tobrisk.metainfo.xml"
echo "== lintian"
lintian --fail-on error,warning --info "$deb"
echo "lintian: no error, no warning"

if [ "${1:-}" = "--install" ]; then
  scripts/package-check.sh "$deb"
fi
