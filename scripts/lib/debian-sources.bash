# Fetches original source tarballs from Debian's registry, checks them and
# unpacks them: shared by the scripts that build libraries for another
# platform. The caller sets $cache (where the tarballs are kept), $work (where
# they are unpacked) and the functions say() and fail().

# A private apt state with the registry's source indexes: the system's own
# sources and lists stay as they are.
apt_dir=$cache/apt
apt_options=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -o APT::Get::Only-Source=true)
apt_updated=""
update_source_index() {
  [ -n "$apt_updated" ] && return
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  printf 'deb-src http://deb.debian.org/debian %s main\n' bookworm trixie >"$apt_dir/sources.list"
  apt-get "${apt_options[@]}" update
  apt_updated=yes
}

# The SHA-256 the package's .dsc gives for a file, or, where the registry has
# no .dsc, the one its signed source index gives.
expected_sha256() {
  local package=$1 file=$2 dsc
  dsc=$(ls "$cache/sources/${package}"_*.dsc 2>/dev/null | head -n 1 || true)
  if [ -n "$dsc" ]; then
    sed -n '/^Checksums-Sha256:/,/^[^ ]/p' "$dsc"
  else
    update_source_index
    apt-cache "${apt_options[@]}" showsrc "$package" | sed -n '/^Checksums-Sha256:/,/^[^ ]/p'
  fi | awk -v file="$file" '$3 == file { print $1; exit }'
}

# Fetches a package's original tarball (once), checks it and unpacks it into
# $work/PACKAGE.
unpack() {
  local package=$1 suite=$2 version=$3 tarball sum
  mkdir -p "$cache/sources"
  tarball=$(ls "$cache/sources/${package}_${version}".orig.tar.* 2>/dev/null | head -n 1 || true)
  if [ -z "$tarball" ]; then
    update_source_index
    say "fetching $package $version from $suite"
    # Some .debian.tar and .dsc files are missing from the registry; apt
    # reports them and keeps the files it did fetch, each checked against
    # the signed index.
    (cd "$cache/sources" && apt-get "${apt_options[@]}" source --download-only "$package/$suite") || true
    tarball=$(ls "$cache/sources/${package}_${version}".orig.tar.* 2>/dev/null | head -n 1 || true)
    [ -n "$tarball" ] || fail "no ${package}_${version}.orig.tar.* in the registry"
  fi
  sum=$(expected_sha256 "$package" "$(basename "$tarball")")
  [ -n "$sum" ] || fail "no checksum for $(basename "$tarball")"
  echo "$sum  $tarball" | sha256sum --check --quiet || fail "$(basename "$tarball") does not match its checksum"
  mkdir -p "$work/$package"
  tar -xf "$tarball" -C "$work/$package" --strip-components=1
}
