#!/bin/sh
# make install and make uninstall into a temporary DESTDIR, with the default PREFIX and another
# one: the program and its manual page land with their modes and contents where man looks for
# them, and the set-up files of examples/hosts/HOST, the very files, under
# share/doc/dockorrery/examples/HOST; the installed program runs and fails on a display it can't
# open as its manual says, the page renders with man -l without a single groff warning, and
# uninstall takes away exactly those files, leaving a neighbour's files alone.
#
# The program is already built (ctest runs after the build); make's -o build keeps the install
# target from building again, so this only reads the build directory and writes its
# install_manifest.txt, safe beside other tests.
# Usage: install_test.sh SOURCE_DIR BUILD_DIR
source=$1
build=$2
. "$(dirname "$0")/support/tree_make.sh"

# Every file under a directory with its mode, one per line, sorted; directories left out.
files() { (cd "$1" && find . ! -type d -printf '%m %p\n' | sort); }

for prefix in /usr/local /opt/dock; do
  context=$prefix
  dest=$work/dest$(echo "$prefix" | tr / -)
  bin=$dest$prefix/bin/dockorrery
  page=$dest$prefix/share/man/man1/dockorrery.1
  mkdir -p "$dest$prefix/bin" "$dest$prefix/share/man/man1"
  echo other >"$dest$prefix/bin/other"
  echo other >"$dest$prefix/share/man/man1/other.1"
  files "$dest" >"$work/before"

  if [ "$prefix" = /usr/local ]; then
    set -- DESTDIR="$dest"
  else
    set -- DESTDIR="$dest" PREFIX="$prefix"
  fi

  tree_make -o build BUILD="$build" install "$@"
  {
    cat "$work/before"
    echo "755 .$prefix/bin/dockorrery"
    echo "644 .$prefix/share/man/man1/dockorrery.1"
    for home in "$source"/examples/hosts/*; do
      host=$(basename "$home")
      (cd "$home" && find . -type f -printf "%m .$prefix/share/doc/dockorrery/examples/$host/%P\n")
    done
  } | sort >"$work/expected"
  files "$dest" >"$work/after"
  diff -u "$work/expected" "$work/after" || fail "installed files"
  cmp -s "$build/dockorrery" "$bin" || fail "the installed program is not the one built"
  cmp -s "$build/dockorrery.1" "$page" || fail "the installed page is not the build's"
  for home in "$source"/examples/hosts/*; do
    examples=$dest$prefix/share/doc/dockorrery/examples/$(basename "$home")
    diff -r "$home" "$examples" || fail "the examples in $examples are not the files of $home"
  done
  [ "$(man -M "$dest$prefix/share/man" -w dockorrery)" = "$page" ] ||
    fail "man does not find the page under $dest$prefix/share/man"

  status=0
  "$bin" -display no-such-display 2>"$work/stderr" || status=$?
  [ "$status" = 1 ] || fail "exit status $status on a display it can't open"
  [ "$(cat "$work/stderr")" = "$bin: can't open display no-such-display" ] ||
    fail "message: $(cat "$work/stderr")"

  # Wide enough that no line breaks inside a phrase looked for.
  MANWIDTH=200 man --warnings=w -l "$page" >"$work/page.txt" 2>"$work/warnings" || fail "man -l"
  [ ! -s "$work/warnings" ] || { cat "$work/warnings" >&2; fail "groff warnings"; }
  # Every line, the verbatim set-up files' too, fits a terminal 80 columns wide.
  width=$(MANWIDTH=80 man -l "$page" 2>/dev/null | LC_ALL=C.UTF-8 wc -L)
  [ "$width" -le 80 ] || fail "the page renders $width columns wide at MANWIDTH=80"
  for phrase in NAME SYNOPSIS DESCRIPTION OPTIONS MOUSE "EXIT STATUS" DIAGNOSTICS ENVIRONMENT \
    FILES "dockorrery [-display name]" "program: can't open display name" \
    "Not enough free colorcells." "program: can't allocate window name" DISPLAY; do
    grep -qF -- "$phrase" "$work/page.txt" || fail "the rendered page lacks \"$phrase\""
  done

  tree_make -o build BUILD="$build" uninstall "$@"
  files "$dest" >"$work/after"
  diff -u "$work/before" "$work/after" || fail "uninstall"
done
echo "install and uninstall: PASS"
