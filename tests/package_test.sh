#!/bin/sh
# The Debian package as make deb builds it: it holds exactly the program, its manual page and the
# package's copyright and changelog; its dependencies name the package of every shared library the
# program links; lintian --pedantic finds nothing in it, its .buildinfo or its .changes. Unpacks it
# into BUILD_DIR/package-root, where x_package_test runs the unpacked program.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR
source=$1
build=$2
. "$(dirname "$0")/support/tree_make.sh"

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
-rw-r--r-- root/root ./usr/share/man/man1/dockorrery.1.gz
END
diff -u "$work/expected" "$work/files" || fail "the package's files"

root=$build/package-root
rm -rf "$root"
dpkg-deb -x "$deb" "$root"
gzip -dc "$root/usr/share/man/man1/dockorrery.1.gz" | cmp -s - "$source/applet/dockorrery.1" ||
  fail "the packaged manual page is not the tree's"
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

lintian --pedantic --allow-root "$work"/dockorrery_*.changes >"$work/lintian" 2>&1 ||
  { cat "$work/lintian" >&2; fail "lintian"; }
[ ! -s "$work/lintian" ] || { cat "$work/lintian" >&2; fail "lintian has something to say"; }
echo "package: PASS"
