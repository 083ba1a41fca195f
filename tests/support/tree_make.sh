# For the shell tests of make targets, sourced with `source` and `build` set to the source and
# build folders: a work folder removed on exit, `fail`, and `tree_make`.
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Says why the test fails, with $context when set, and ends it.
fail() {
  echo "FAIL${context:+ ($context)}: $*" >&2
  exit 1
}

# A make of this tree alone, its output kept in $work/make.log and shown when it fails: nothing
# inherited from a make that runs ctest, no PREFIX, DESTDIR or DEBDIR from the environment, so
# that the defaults are the Makefile's own.
tree_make() {
  env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL -u PREFIX -u DESTDIR -u DEBDIR \
    make --no-print-directory -C "$source" "$@" >"$work/make.log" 2>&1 ||
    { cat "$work/make.log" >&2; fail "make $*"; }
}
