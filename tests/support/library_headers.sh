# For the shell tests of the library's install: library_headers SOURCE_DIR prints the headers the
# library installs, one per line, as library/CMakeLists.txt lists them (library_headers), the list
# the build installs from.
library_headers() {
  sed -n '/^set(library_headers/,/)/p' "$1/library/CMakeLists.txt" | tr -s ' ()' '\n' | grep '\.h$'
}
