# For the shell tests of the library's install: library_headers SOURCE_DIR prints the headers the
# library installs, one per line, as library/CMakeLists.txt lists them (library_headers), the list
# the build installs from.
library_headers() {
  sed -n '/^set(library_headers/,/)/p' "$1/library/CMakeLists.txt" | tr -s ' ()' '\n' | grep '\.h$'
}

# moved_headers SOURCE_DIR prints the first paths of the headers that have moved, which the
# library also installs (library/CMakeLists.txt's moved_headers, "first path=path now").
moved_headers() {
  sed -n '/^set(moved_headers/,/)/p' "$1/library/CMakeLists.txt" | tr -s ' ()' '\n' |
    sed -n 's/=.*//p'
}
