#!/bin/sh
# make install COMPONENT=library into a temporary DESTDIR: the library's headers, archive,
# pkg-config file and CMake package land where a user's build finds them, every header compiles
# on its own, the archive links into a shared object, and the example, copied out of the tree,
# builds against them twice (pkg-config, then find_package) with nothing of the source or build
# tree on its paths; both programs print what the same example built in the tree prints, for
# places from the tropics to the polar night. make uninstall COMPONENT=library then takes away
# exactly those files.
#
# The library is already built (ctest runs after the build); make's -o build keeps the install
# target from building again.
# Usage: library_install_test.sh SOURCE_DIR BUILD_DIR IN_TREE_EXAMPLE BUILD_TYPE (lower case)
source=$1
build=$2
reference=$3
type=$4
. "$(dirname "$0")/support/tree_make.sh"

prefix=/usr/local
dest=$work/dest
root=$dest$prefix
tree_make -o build BUILD="$build" install COMPONENT=library DESTDIR="$dest"

(cd "$dest" && find . ! -type d -printf '%m %p\n' | sort) >"$work/after"
{
  echo "644 .$prefix/lib/libdockorrery-astronomy.a"
  echo "644 .$prefix/lib/pkgconfig/dockorrery-astronomy.pc"
  for file in Config ConfigVersion Targets "Targets-$type"; do
    echo "644 .$prefix/lib/cmake/DockorreryAstronomy/DockorreryAstronomy$file.cmake"
  done
  # Every header but the layouts of the term tables and the search of a day's crossings, which
  # the sources alone use.
  (cd "$source" && ls calendar/*.h ephemeris/*.h astronomy/*.h) |
    grep -v -e periodic_terms -e series.h -e crossings.h | sed "s|^|644 .$prefix/include/dockorrery/|"
  # The whole library in one header, and its version.
  for header in astronomy.h version.h; do echo "644 .$prefix/include/dockorrery/$header"; done
} | sort >"$work/expected"
diff -u "$work/expected" "$work/after" || fail "installed files"

# Each header on its own, from the installed include folder alone.
for header in $(cd "$root/include" && find dockorrery -name '*.h'); do
  echo "#include <$header>" | ${CXX:-c++} -std=c++17 -Wall -Wextra -Werror -fsyntax-only -x c++ \
    -I"$root/include" - || fail "$header does not compile on its own"
done

# The whole library from one header, whose version is the changelog's.
version=$(sed -n '1s/^dockorrery (\([^)]*\)).*/\1/p' "$source/debian/changelog")
printf '#include <dockorrery/astronomy.h>\n#include <cstdio>\nint main() {\n%s\n}\n' \
  'std::printf("%d.%d.%d %s\n", DOCKORRERY_VERSION_MAJOR, DOCKORRERY_VERSION_MINOR, DOCKORRERY_VERSION_PATCH, DOCKORRERY_VERSION_STRING);' |
  ${CXX:-c++} -std=c++17 -o "$work/version" -x c++ -I"$root/include" - ||
  fail "<dockorrery/astronomy.h> does not compile"
[ "$("$work/version")" = "$(echo "$version.0.0" | cut -d. -f1-3) $version" ] ||
  fail "the version is $("$work/version"), the changelog's $version"

# Position-independent: the whole archive links into a shared object.
${CXX:-c++} -shared -o "$work/whole.so" -Wl,--whole-archive "$root/lib/libdockorrery-astronomy.a" \
  -Wl,--no-whole-archive ${LDFLAGS:-} || fail "the archive does not link into a shared object"

mkdir "$work/example"
cp "$source/examples/almanac.cpp" "$source/examples/CMakeLists.txt" "$work/example/"
cd "$work/example" || exit

# pkg-config, the sysroot standing for DESTDIR; CXX, CXXFLAGS and LDFLAGS as the suite gives them.
flags=$(PKG_CONFIG_PATH="$root/lib/pkgconfig" PKG_CONFIG_SYSROOT_DIR="$dest" \
  pkg-config --cflags --libs dockorrery-astronomy) || fail "pkg-config"
# shellcheck disable=SC2086
set -- $flags
[ "$*" = "-I$root/include -L$root/lib -ldockorrery-astronomy" ] || fail "pkg-config: $flags"
# shellcheck disable=SC2086
${CXX:-c++} -std=c++20 ${CXXFLAGS:-} -o almanac-pc almanac.cpp $flags ${LDFLAGS:-} || fail "the example with pkg-config"

# find_package, from the DESTDIR only; CMake takes CXX, CXXFLAGS and LDFLAGS as c++ did.
cmake -S . -B cmake-build -DCMAKE_PREFIX_PATH="$root" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >"$work/cmake.log" 2>&1 &&
  cmake --build cmake-build >>"$work/cmake.log" 2>&1 ||
  { cat "$work/cmake.log" >&2; fail "the example with find_package"; }
[ "$(sed -n 's/^DockorreryAstronomy_DIR:PATH=//p' cmake-build/CMakeCache.txt)" = \
  "$root/lib/cmake/DockorreryAstronomy" ] || fail "find_package found another package"
for tree in "$source" "$build"; do
  ! grep -qF "$tree" cmake-build/compile_commands.json cmake-build/CMakeFiles/almanac.dir/link.txt ||
    fail "the find_package build reaches into $tree"
done

# Quito, Berlin, Cape Town, Tromsø's midnight sun and polar night, a day without moonrise.
for case in "-0.22 -78.5 2026-03-20" "52.52 13.40 2026-12-10" "-33.9 18.4 2027-01-01" \
  "69.6 19 2027-06-21" "69.6 19 2026-12-21" "51.48 0 2026-01-10"; do
  context=$case
  # shellcheck disable=SC2086
  "$reference" $case >"$work/expected" || fail "the example built in the tree"
  grep -q '^next full Moon 20[0-9-]* [0-9:]* UT$' "$work/expected" || fail "reference output"
  for program in ./almanac-pc cmake-build/almanac; do
    # shellcheck disable=SC2086
    $program $case >"$work/out" || fail "$program"
    diff -u "$work/expected" "$work/out" || fail "$program prints another answer"
  done
done
unset context

status=0
./almanac-pc 0 0 2026-02-30 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "exit status $status for a day February has not"

tree_make BUILD="$build" uninstall COMPONENT=library DESTDIR="$dest"
[ -z "$(find "$dest" ! -type d)" ] || fail "uninstall left $(find "$dest" ! -type d)"
echo "library install: PASS"
