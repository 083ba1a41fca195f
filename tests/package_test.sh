#!/bin/sh
# The Debian package as make deb builds it: it holds exactly the program, its manual page, the
# package's copyright, changelog and lintian overrides and the dock hosts' set-up files of
# examples/hosts as examples; the manual page's footer shows the package's version; its
# dependencies name the package of every shared library the program links, and it suggests each
# dock host of tests/hosts; lintian --pedantic, with its experimental and informational tags too,
# finds nothing in it, its .buildinfo or its .changes. Beside it, libdockorrery-astronomy-dev
# holds exactly the astronomy library's headers, archive, pkg-config file, CMake package, manual
# page (the build's), example and the copyright, depends on nothing, and builds the example,
# unpacked, with pkg-config and with find_package, to the answers of the example built in the
# tree. Unpacks the program into BUILD_DIR/package-root, where x_package_test runs the unpacked
# program. Then autopkgtest installs both on this machine and runs debian/tests against them, and
# removes each again unless it was installed before.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR (which holds tests/almanac, the in-tree example)
source=$1
build=$2
. "$(dirname "$0")/support/tree_make.sh"
. "$(dirname "$0")/support/library_headers.sh"

tree_make deb DEBDIR="$work"
set -- "$work"/dockorrery_*.deb
[ $# = 1 ] && [ -f "$1" ] || fail "make deb made $# packages: $*"
deb=$1

# Every file but directories, with its mode and owner.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, $2, $6}' | sort -k3 >"$work/files"
cat >"$work/expected" <<'END'
-rwxr-xr-x root/root ./usr/bin/dockorrery
-rw-r--r-- root/root ./usr/share/doc/dockorrery/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/dockorrery/copyright
-rw-r--r-- root/root ./usr/share/lintian/overrides/dockorrery
-rw-r--r-- root/root ./usr/share/man/man1/dockorrery.1.gz
END
for home in "$source"/examples/hosts/*; do
  host=$(basename "$home")
  (cd "$home" && find . -type f -printf "%m ./usr/share/doc/dockorrery/examples/$host/%P\n")
done | awk '{print ($1 == 755 ? "-rwxr-xr-x" : "-rw-r--r--"), "root/root", $2}' >>"$work/expected"
sort -k3 -o "$work/expected" "$work/expected"
diff -u "$work/expected" "$work/files" || fail "the package's files"

root=$build/package-root
rm -rf "$root"
dpkg-deb -x "$deb" "$root"
gzip -dc "$root/usr/share/man/man1/dockorrery.1.gz" | cmp -s - "$build/dockorrery.1" ||
  fail "the packaged manual page is not the build's"
for home in "$source"/examples/hosts/*; do
  diff -r "$home" "$root/usr/share/doc/dockorrery/examples/$(basename "$home")" ||
    fail "the packaged examples are not the files of $home"
done
version=$(dpkg-deb -f "$deb" Version)
[ "$version" = "$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)" ] ||
  fail "the package's version $version is not debian/changelog's"
footer=$(MANWIDTH=80 man -l "$root/usr/share/man/man1/dockorrery.1.gz" 2>/dev/null | tail -n 1)
echo "$footer" | grep -q "^dockorrery $version  " ||
  fail "the manual page's footer \"$footer\" does not show version $version"

# Any one of the dock hosts will do.
suggests=$(dpkg-deb -f "$deb" Suggests | tr -d ' ' | tr '|' '\n' | sort)
[ "$suggests" = "$(ls "$source/tests/hosts" | sort)" ] ||
  fail "Suggests ($(dpkg-deb -f "$deb" Suggests)) is not the hosts of tests/hosts"
cmp -s "$root/usr/share/doc/dockorrery/copyright" "$source/debian/copyright" ||
  fail "the packaged copyright is not debian/copyright"

# The package owning each library the program needs, found by its path on this machine.
depends=$(dpkg-deb -f "$deb" Depends)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for soname in $(objdump -p "$root/usr/bin/dockorrery" | awk '$1 == "NEEDED" {print $2}'); do
  owner=$(dpkg -S "/usr/lib/$multiarch/$soname" 2>/dev/null || dpkg -S "/lib/$multiarch/$soname") ||
    fail "no package owns $soname"
  package=${owner%%:*}
  echo "$depends" | tr ',' '\n' | grep -q "^ *$package\( \|$\)" ||
    fail "Depends ($depends) lacks $package, which holds $soname"
done

# The library's -dev package.
dev=libdockorrery-astronomy-dev
set -- "$work"/${dev}_*.deb
[ $# = 1 ] && [ -f "$1" ] || fail "make deb made $# -dev packages: $*"
devdeb=$1
dpkg-deb -c "$devdeb" | awk '$1 !~ /^d/ {print $1, $2, $6}' | sort -k3 >"$work/files"
{
  for file in libdockorrery-astronomy.a pkgconfig/dockorrery-astronomy.pc \
    cmake/DockorreryAstronomy/DockorreryAstronomyConfig.cmake \
    cmake/DockorreryAstronomy/DockorreryAstronomyConfigVersion.cmake \
    cmake/DockorreryAstronomy/DockorreryAstronomyTargets.cmake \
    cmake/DockorreryAstronomy/DockorreryAstronomyTargets-none.cmake; do
    echo "./usr/lib/$multiarch/$file"
  done
  # The headers of the build's list, at their paths in the tree.
  library_headers "$source" | sed "s|^|./usr/include/dockorrery/|"
  moved_headers "$source" | sed "s|^|./usr/include/dockorrery/|"
  # The whole library in one header, and its version.
  for header in astronomy.h version.h; do echo "./usr/include/dockorrery/$header"; done
  for file in changelog.gz copyright examples/almanac.cpp examples/CMakeLists.txt; do
    echo "./usr/share/doc/$dev/$file"
  done
  echo ./usr/share/man/man3/dockorrery-astronomy.3.gz
} | sed 's|^|-rw-r--r-- root/root |' | sort -k3 >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "the -dev package's files"
for field in "Section: libdevel" "Multi-Arch: same" "Version: $version" "Source: dockorrery"; do
  dpkg-deb -f "$devdeb" | grep -qx "$field" || fail "the -dev package lacks $field"
done
[ -z "$(dpkg-deb -f "$devdeb" Depends Pre-Depends Recommends)" ] ||
  fail "the -dev package depends on $(dpkg-deb -f "$devdeb" Depends Pre-Depends Recommends)"
devroot=$work/dev-root
dpkg-deb -x "$devdeb" "$devroot"
cmp -s "$devroot/usr/share/doc/$dev/copyright" "$source/debian/copyright" ||
  fail "the -dev package's copyright is not debian/copyright"
gzip -dc "$devroot/usr/share/man/man3/dockorrery-astronomy.3.gz" |
  cmp -s - "$build/library/dockorrery-astronomy.3" ||
  fail "the -dev package's manual page is not the build's"
mkdir "$work/example"
cp "$devroot/usr/share/doc/$dev/examples/"* "$work/example/"
(
  cd "$work/example" || exit
  flags=$(PKG_CONFIG_PATH="$devroot/usr/lib/$multiarch/pkgconfig" PKG_CONFIG_SYSROOT_DIR="$devroot" \
    pkg-config --cflags --libs dockorrery-astronomy) || fail "pkg-config in the -dev package"
  # shellcheck disable=SC2086
  c++ -std=c++20 -o almanac-pc almanac.cpp $flags || fail "the example with pkg-config"
  cmake -S . -B cmake-build -DCMAKE_PREFIX_PATH="$devroot/usr" >"$work/cmake.log" 2>&1 &&
    cmake --build cmake-build >>"$work/cmake.log" 2>&1 ||
    { cat "$work/cmake.log" >&2; fail "the example with find_package"; }
  [ "$(sed -n 's/^DockorreryAstronomy_DIR:PATH=//p' cmake-build/CMakeCache.txt)" = \
    "$devroot/usr/lib/$multiarch/cmake/DockorreryAstronomy" ] || fail "find_package found another"
  for case in "52.52 13.40 2026-12-10" "-33.9 18.4 2027-01-01" "69.6 19 2027-06-21"; do
    # shellcheck disable=SC2086
    "$build/tests/almanac" $case >"$work/expected" || fail "the example built in the tree"
    for program in ./almanac-pc cmake-build/almanac; do
      # shellcheck disable=SC2086
      $program $case >"$work/out" || fail "$program"
      diff -u "$work/expected" "$work/out" || fail "$program of the -dev package: $case"
    done
  done
)

lintian --pedantic -E -I --allow-root "$work"/dockorrery_*.changes >"$work/lintian" 2>&1 ||
  { cat "$work/lintian" >&2; fail "lintian"; }
[ ! -s "$work/lintian" ] || { cat "$work/lintian" >&2; fail "lintian has something to say"; }

# The package installed, and the tests of debian/tests run against it.
# Which of the two were installed before.
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -c "ok installed" || true; }
was_installed=$(installed dockorrery)
dev_was_installed=$(installed $dev)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
status=0
$sudo autopkgtest "$deb" "$devdeb" "$source" -- null >"$work/autopkgtest" 2>&1 || status=$?
[ "$was_installed" = 1 ] || $sudo dpkg -r dockorrery >/dev/null 2>&1 || true
[ "$dev_was_installed" = 1 ] || $sudo dpkg -r $dev >/dev/null 2>&1 || true
[ "$status" = 0 ] || { cat "$work/autopkgtest" >&2; fail "autopkgtest (status $status)"; }
echo "package: PASS"
