#!/bin/sh
# make install COMPONENT=library into a temporary DESTDIR: the library's headers, archive,
# pkg-config file and CMake package land where a user's build finds them, every header compiles
# on its own, the archive links into a shared object and defines no symbol outside the namespace
# dockorrery. Two programs, copied out of the tree, build against them twice (pkg-config, then
# find_package) with nothing of the source or build tree on its paths: one that names its own
# things in the global namespace as the library names its own, which runs with both meaning
# theirs, and the example, which prints what the same example built in the tree prints, for
# places from the tropics to the polar night. The manual page, dockorrery-astronomy(3), lands
# where man finds it and renders without a warning, 80 columns wide; the program its EXAMPLES
# show builds against the install and prints what the page says it prints. make uninstall
# COMPONENT=library then takes away exactly those files.
#
# The library is already built (ctest runs after the build); make's -o build keeps the install
# target from building again.
# Usage: library_install_test.sh SOURCE_DIR BUILD_DIR IN_TREE_EXAMPLE BUILD_TYPE (lower case)
source=$1
build=$2
reference=$3
type=$4
. "$(dirname "$0")/support/tree_make.sh"
. "$(dirname "$0")/support/library_headers.sh"

prefix=/usr/local
dest=$work/dest
root=$dest$prefix
tree_make -o build BUILD="$build" install COMPONENT=library DESTDIR="$dest"

(cd "$dest" && find . ! -type d -printf '%m %p\n' | sort) >"$work/after"
{
  echo "644 .$prefix/lib/libdockorrery-astronomy.a"
  echo "644 .$prefix/lib/pkgconfig/dockorrery-astronomy.pc"
  echo "644 .$prefix/share/man/man3/dockorrery-astronomy.3"
  for file in Config ConfigVersion Targets "Targets-$type"; do
    echo "644 .$prefix/lib/cmake/DockorreryAstronomy/DockorreryAstronomy$file.cmake"
  done
  # The headers of the build's list, at their paths in the tree.
  library_headers "$source" | sed "s|^|644 .$prefix/include/dockorrery/|"
  moved_headers "$source" | sed "s|^|644 .$prefix/include/dockorrery/|"
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

# Below C++17 the library says so first.
echo '#include <dockorrery/astronomy.h>' | ${CXX:-c++} -std=c++14 -fsyntax-only -x c++ \
  -I"$root/include" - 2>"$work/cxx14.log" && fail "the library compiles as C++14"
grep -m 1 'error' "$work/cxx14.log" | grep -q 'needs C++17 or later: compile with -std=c++17' ||
  { cat "$work/cxx14.log" >&2; fail "C++14 is not told that the library needs C++17"; }

# Position-independent: the whole archive links into a shared object.
${CXX:-c++} -shared -o "$work/whole.so" -Wl,--whole-archive "$root/lib/libdockorrery-astronomy.a" \
  -Wl,--no-whole-archive ${LDFLAGS:-} || fail "the archive does not link into a shared object"

# Every symbol the archive defines for a program to link is the library's, in its namespace
# (after the return type a function template's name carries). Weak ones may also be the standard
# library's own template instances, and the type information of function types, such as
# "typeinfo for double (double)", that Clang's -fsanitize=function emits: nobody's names.
archive=$root/lib/libdockorrery-astronomy.a
nm -g --defined-only --format=posix "$archive" | awk 'NF >= 2 && $1 !~ /:$/ {print $2, $1}' |
  c++filt >"$work/symbols"
grep -q '^T dockorrery::computeHeliocentricPosition(' "$work/symbols" || fail "nm lists no symbols"
if grep -v -E -e '^[^ ]+ ([^(]* )?dockorrery::' -e '^[WV] ([^(]* )?(std|__gnu_cxx)::' \
  -e '^[WV] typeinfo (name )?for [^(]*\(' "$work/symbols"; then
  fail "the archive defines the symbols above outside the namespace dockorrery"
fi

# pkg-config, the sysroot standing for DESTDIR.
flags=$(PKG_CONFIG_PATH="$root/lib/pkgconfig" PKG_CONFIG_SYSROOT_DIR="$dest" \
  pkg-config --cflags --libs dockorrery-astronomy) || fail "pkg-config"
# shellcheck disable=SC2086
set -- $flags
[ "$*" = "-I$root/include -L$root/lib -ldockorrery-astronomy" ] || fail "pkg-config: $flags"

# The manual page, found by man, rendered without a groff warning and fitting a terminal.
page=$root/share/man/man3/dockorrery-astronomy.3
[ "$(man -M "$root/share/man" -w dockorrery-astronomy)" = "$page" ] ||
  fail "man does not find dockorrery-astronomy under $root/share/man"
cmp -s "$build/library/dockorrery-astronomy.3" "$page" || fail "the installed page is not the build's"
MANWIDTH=200 LC_ALL=C.UTF-8 man --warnings=w -l "$page" >"$work/page.txt" 2>"$work/warnings" ||
  fail "man -l"
[ ! -s "$work/warnings" ] || { cat "$work/warnings" >&2; fail "groff warnings"; }
width=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings=w -l "$page" 2>"$work/warnings" | LC_ALL=C.UTF-8 wc -L)
[ ! -s "$work/warnings" ] || { cat "$work/warnings" >&2; fail "groff warnings at 80 columns"; }
[ "$width" -le 80 ] || fail "the page renders $width columns wide at MANWIDTH=80"
for phrase in "DOCKORRERY-ASTRONOMY(3)" "Library Functions Manual" "#include <dockorrery/astronomy.h>" \
  "pkg-config --cflags --libs dockorrery-astronomy" "find_package(DockorreryAstronomy REQUIRED)"; do
  grep -qF -- "$phrase" "$work/page.txt" || fail "the rendered page lacks \"$phrase\""
done

# example_block N: the Nth block of code of the rendered page's EXAMPLES (indented beyond its
# text), as a reader copies it.
example_block() {
  awk -v want="$1" '
    /^EXAMPLES/ {on = 1; next}
    /^[^ ]/ {on = 0}
    !on {next}
    /^         / {if (!inblock) {block++; inblock = 1; blanks = ""}
                  if (block == want) {printf "%s", blanks; print substr($0, 10)}
                  blanks = ""; next}
    /^$/ {if (inblock) blanks = blanks "\n"; next}
    {inblock = 0}' "$work/page.txt"
}
mkdir "$work/page-example"
example_block 1 >"$work/page-example/example.cpp"
example_block 2 >"$work/page-example/expected"
grep -q '^int main' "$work/page-example/example.cpp" && [ -s "$work/page-example/expected" ] ||
  fail "no program and output in the page's EXAMPLES"
# shellcheck disable=SC2086
${CXX:-c++} -std=c++17 -Wall -Wextra -Werror ${CXXFLAGS:-} -o "$work/page-example/example" \
  "$work/page-example/example.cpp" $flags ${LDFLAGS:-} || fail "the page's example does not build"
"$work/page-example/example" >"$work/page-example/out" || fail "the page's example fails"
diff -u "$work/page-example/expected" "$work/page-example/out" ||
  fail "the page's example prints another answer than the page shows"

# build_outside NAME: builds NAME.cpp, in the folder $work/NAME beside its CMakeLists.txt, twice
# with nothing of the source or build tree on its paths: with pkg-config into NAME-pc, and with
# find_package into cmake-build/NAME. CXX, CXXFLAGS and LDFLAGS as the suite gives them, which
# CMake takes as c++ does.
build_outside() {
  cd "$work/$1" || exit
  # shellcheck disable=SC2086
  ${CXX:-c++} -std=c++20 ${CXXFLAGS:-} -o "$1-pc" "$1.cpp" $flags ${LDFLAGS:-} ||
    fail "$1 with pkg-config"
  cmake -S . -B cmake-build -DCMAKE_PREFIX_PATH="$root" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >"$work/cmake.log" 2>&1 &&
    cmake --build cmake-build >>"$work/cmake.log" 2>&1 ||
    { cat "$work/cmake.log" >&2; fail "$1 with find_package"; }
  [ "$(sed -n 's/^DockorreryAstronomy_DIR:PATH=//p' cmake-build/CMakeCache.txt)" = \
    "$root/lib/cmake/DockorreryAstronomy" ] || fail "find_package found another package"
  for tree in "$source" "$build"; do
    ! grep -qF "$tree" cmake-build/compile_commands.json "cmake-build/CMakeFiles/$1.dir/link.txt" ||
      fail "the find_package build of $1 reaches into $tree"
  done
}

# A program that defines in the global namespace its own kPi, Observer, Body, Nutation, deltaT,
# polynomial and julianDayNumber beside every installed header.
mkdir "$work/namesakes"
cp "$source/tests/library_namesakes/namesakes.cpp" "$source/tests/library_namesakes/CMakeLists.txt" \
  "$work/namesakes/"
(cd "$root/include" && find dockorrery -name '*.h' | sort | sed 's/.*/#include <&>/') \
  >"$work/namesakes/library_headers.h"
build_outside namesakes
for program in ./namesakes-pc cmake-build/namesakes; do
  $program >/dev/null || fail "$program"
done

# The example, whose answers are those of the same example built in the tree.
mkdir "$work/almanac"
cp "$source/examples/almanac.cpp" "$source/examples/CMakeLists.txt" "$work/almanac/"
build_outside almanac

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
