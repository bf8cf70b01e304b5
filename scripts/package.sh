#!/usr/bin/env bash
# Builds the Debian package veltrane-applet into dist/, from a copy of the working tree in
# build-deb/ (so dpkg-buildpackage's files stay out of the sources).
#   --check   then also checks it, as root: lintian, an install with apt-get over a folder made
#             by hand, the installed programs, manual pages and metainfo, the group and its
#             folders, a log-in by a member of the group, what neither a member nor a user
#             outside the group may do, and a removal and a purge (scripts/package-check.sh;
#             the autopkgtest runs its steps on an installed package). It refuses to run where
#             the package is installed already, as the purge would take its configuration.
set -euo pipefail
cd "$(dirname "$0")/.."

check=no
case "${1:-}" in
  "") ;;
  --check) check=yes ;;
  *) echo "usage: bash scripts/package.sh [--check]" >&2; exit 2 ;;
esac

. scripts/package-check.sh
if [ "$check" = yes ]; then refuse_to_check_over_an_installed_copy; fi

# What building needs (debian/control's Build-Depends are among it), the packaging tools and
# what the check uses: a manual-page linter, the AppStream validator, a compiler.
bash scripts/setup.sh debhelper dpkg-dev fakeroot help2man lintian mandoc appstream

version=$(dpkg-parsechangelog -S Version)
stage=build-deb/veltrane-applet-$version
rm -rf build-deb
mkdir -p "$stage"
git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$stage"

(
  cd "$stage"
  dpkg-buildpackage -us -uc -b -j2 >../dpkg-buildpackage.log 2>&1 ||
    { tail -40 ../dpkg-buildpackage.log >&2; exit 1; }
)

mkdir -p dist
rm -f dist/veltrane-applet[_-]*
mv build-deb/veltrane-applet[_-]*"$version"_* dist/
deb=$(ls dist/veltrane-applet_"$version"_*.deb)
echo "package: built $deb"

if [ "$check" = yes ]; then check_package "$deb"; fi
