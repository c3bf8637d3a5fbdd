#!/usr/bin/env bash
# Installs the .deb into a clean Debian 12 root, as apt would on a machine
# that has only the essential packages, and checks it there: see
# in_clean_root.sh. The root is made by mmdebstrap from Debian's mirror, in a
# temporary folder that is removed at the end. Skipped, with a message and
# status 0, where mmdebstrap, the rights it needs or the mirror are missing.
#   clean_root.sh DEB SAMPLE_SOURCE_DIR
set -euo pipefail
deb=$(realpath "$1") sample_source=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
mirror=http://deb.debian.org/debian

skip() {
  echo "clean-root test skipped: $*"
  exit 0
}
command -v mmdebstrap >/dev/null || skip "mmdebstrap is not installed (scripts/install-deps.sh installs it)"
[ "$(id -u)" -eq 0 ] || unshare --user --map-root-user true 2>/dev/null ||
  skip "neither root nor allowed to make user namespaces"
host=${mirror#http://}
host=${host%%/*}
timeout 20 bash -c "exec 3<>/dev/tcp/$host/80" 2>/dev/null || skip "$mirror is not reachable"

# variant apt: the essential packages and apt, nothing else. The customize
# hooks run once the root is made: they copy the package, the sample bank's
# source and the checks into a folder of the root, and run the checks there.
inside=/srv/quenhar-check
mmdebstrap --variant=apt --mode=auto \
  --customize-hook="mkdir -p \"\$1$inside\"" \
  --customize-hook="copy-in $deb $here/in_clean_root.sh $sample_source $inside" \
  --customize-hook="chroot \"\$1\" bash $inside/in_clean_root.sh $inside/$(basename "$deb") $inside/$(basename "$sample_source")" \
  bookworm /dev/null "$mirror"
echo "the package installs, runs and uninstalls in a clean Debian 12 root"
