# Unpacking Debian's original source tarballs, for the scripts that build
# libraries for another platform. The caller sets $root (the repository),
# $work (where the sources go) and the function fail().

# Unpacks a package's original tarball, fetched and checked by
# scripts/debian-source, into $work/PACKAGE.
unpack() {
  local tarball
  tarball=$("$root/scripts/debian-source" "$1" "$2" "$3" | sed -n 1p)
  [ -n "$tarball" ] || fail "no source for $1 $3"
  mkdir -p "$work/$1"
  tar -xf "$tarball" -C "$work/$1" --strip-components=1
}
