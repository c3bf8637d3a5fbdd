# Fetches Debian source packages without touching the machine's apt configuration.
# Sourced by build-windows.sh. The deb-src entries are made at run time from the machine's
# own Debian entries (same archive addresses, suites and components) into a private apt
# folder inside the cache, so the machine's sources stay as they are.

# Writes deb-src stanzas for every Debian archive entry of /etc/apt into "$1".
write_deb_src_list() {
  local out=$1 f
  : >"$out"
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    # One-line format: "deb [options] URI suite components..." -> the same line with deb-src.
    sed -n -E 's/^[[:space:]]*deb([[:space:]]+\[[^]]*\])?[[:space:]]+(.*debian.*)$/deb-src\1 \2/p' "$f" >>"$out.list"
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    # deb822 format: keep the stanzas that serve binary packages from a Debian archive.
    awk -v RS= -v ORS='\n\n' '
      /(^|\n)Types:[^\n]*deb([ \n]|$)/ && /(^|\n)URIs:[^\n]*debian/ && !/(^|\n)Enabled: *no/ {
        sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print
      }' "$f" >>"$out"
  done
  [ -s "$out" ] || [ -s "$out.list" ] || { echo "No Debian archive entry in /etc/apt to take deb-src from" >&2; return 1; }
}

# apt-get (or apt-cache, with --cache) using the private source list; "$APT_DIR" must be set.
private_apt() {
  local tool=apt-get
  [ "$1" != --cache ] || { tool=apt-cache; shift; }
  "$tool" -o Dir::Etc::SourceList="$APT_DIR/sources.list" \
          -o Dir::Etc::SourceParts="$APT_DIR/parts" \
          -o Dir::State::Lists="$APT_DIR/lists" \
          -o Dir::Cache="$APT_DIR/cache" \
          -o APT::Sandbox::User=root "$@"
}

# Makes the private source list and reads its indexes (once per run).
prepare_private_apt() {
  APT_DIR=$1
  mkdir -p "$APT_DIR/parts" "$APT_DIR/lists/partial" "$APT_DIR/cache/archives/partial"
  write_deb_src_list "$APT_DIR/parts/debian.sources"
  if [ -s "$APT_DIR/parts/debian.sources.list" ]; then
    mv "$APT_DIR/parts/debian.sources.list" "$APT_DIR/parts/debian-oneline.list"
  else
    rm -f "$APT_DIR/parts/debian.sources.list"
  fi
  : >"$APT_DIR/sources.list"
  private_apt -qq update
}

# The versions of a source package the archive lists, newest first.
source_versions() {
  private_apt --cache showsrc --only-source "$1" 2>/dev/null |
    awk '/^Version:/ {print $2}' | sort -u | sort -rV
}

# Unpacks version $2 of source package $1 (dpkg-source applies Debian's
# patch series) into $3/ and prints its folder. The folder records the
# version it holds, so that an unpacked one is reused and one of another
# Debian revision is replaced. Fails when the archive does not serve that
# version's files (a mirror may lack the newest security update's files for
# a while); it is fetched into a folder of its own first, so that such a
# failure leaves the older revision unpacked in the same folder as it was.
fetch_source() {
  local pkg=$1 version=$2 dest=$3 upstream dir fetched
  upstream=${version#*:}
  upstream=${upstream%-*}
  dir="$dest/$pkg-$upstream"
  if [ "$(cat "$dir/.debian-version" 2>/dev/null)" != "$version" ]; then
    mkdir -p "$dest"
    fetched=$(mktemp -d "$dest/.fetching-XXXXXX")
    if ! (cd "$fetched" && private_apt -qq source --only-source "$pkg=$version" >&2); then
      rm -rf "$fetched"
      return 1
    fi
    if [ ! -d "$fetched/${dir##*/}" ]; then
      echo "apt-get source $pkg=$version made no ${dir##*/}" >&2
      rm -rf "$fetched"
      return 1
    fi
    echo "$version" >"$fetched/${dir##*/}/.debian-version"
    rm -rf "$dir"
    mv "$fetched/${dir##*/}" "$dir"
    find "$fetched" -maxdepth 1 -type f -exec mv -f -t "$dest" {} +
    rm -rf "$fetched"
  fi
  echo "$dir"
}
