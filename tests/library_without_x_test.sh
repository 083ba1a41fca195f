#!/bin/sh
# The astronomy library where the X libraries' development files are missing, as on a machine of a
# programmer who wants the library alone: pkg-config is pointed at an empty folder, so that CMake
# finds none of them. Configuring says in one line that the applet is left out; make install
# COMPONENT=library builds and installs the library and nothing of the applet; the library's
# tests build and pass there.
# Usage: library_without_x_test.sh SOURCE_DIR
source=$1
. "$(dirname "$0")/support/tree_make.sh"

mkdir "$work/no-pkg-config"
export PKG_CONFIG_LIBDIR="$work/no-pkg-config" PKG_CONFIG_PATH=
build=$work/build
tree_make BUILD="$build" install COMPONENT=library DESTDIR="$work/dest"

grep -q '^Applet left out, missing the X11, Xext and Xpm development files' "$work/make.log" ||
  { cat "$work/make.log" >&2; fail "configuring did not say that the applet is left out"; }
! cmake --build "$build" --target help | grep -q -e ' dockorrery$' -e ' dock$' ||
  fail "the applet is a target of the build"
[ -f "$work/dest/usr/local/lib/libdockorrery-astronomy.a" ] || fail "no library installed"
[ -f "$work/dest/usr/local/include/dockorrery/astronomy/events.h" ] || fail "no headers installed"
[ -z "$(find "$work/dest" -name 'dockorrery*' -path '*bin*')" ] || fail "an applet installed"

# The library's own tests, where the build configured them.
cmake --build "$build" -j 2 --target astronomy_events_test >"$work/tests.log" 2>&1 ||
  { cat "$work/tests.log" >&2; fail "the library's tests do not build"; }
"$build/tests/astronomy_events_test" --gtest_brief=1 >"$work/tests.log" 2>&1 ||
  { cat "$work/tests.log" >&2; fail "the library's tests fail"; }
echo "library built, installed and tested without X"
