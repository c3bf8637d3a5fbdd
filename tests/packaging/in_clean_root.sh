#!/usr/bin/env bash
# Runs as root inside a clean Debian 12 root (clean_root.sh makes it): apt
# installs the package with its Depends and nothing recommended; then, for a
# normal user, the launcher starts the program offscreen on a copy of the
# sample bank and it runs without a complaint, and the bank tool builds the
# sample bank, pictures drawn, and checks it; every library the programs and
# the Qt platform plugins link is there; and removing the package removes
# every file it brought, but not the user's folder.
#   in_clean_root.sh DEB SAMPLE_SOURCE_DIR
set -uo pipefail
deb=$1 sample_source=$2
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q --no-install-recommends "$deb" || { echo "FAIL: apt cannot install the package" >&2; exit 1; }

# Every binary of the package and the platform plugins the program may load
# (xcb on the desktop, offscreen here) find every library they link.
plugins=$(dpkg -L libqt6gui6 | grep -E '/platforms/libq(xcb|offscreen)\.so$')
[ "$(wc -l <<<"$plugins")" -eq 2 ] || fail "libqt6gui6 holds no xcb and offscreen plugins: $plugins"
for binary in /usr/bin/quenhar /usr/bin/quenhar-bank $plugins; do
  missing=$(ldd "$binary" | grep 'not found')
  [ -z "$missing" ] || fail "$binary lacks $missing"
done

# A normal user, with no account: only an id, a home and a runtime folder.
user=1000
home=/home/learner
mkdir -p "$home" /run/user/$user
chown $user:$user "$home" /run/user/$user
chmod 700 /run/user/$user
as_user() {
  setpriv --reuid=$user --regid=$user --clear-groups \
    env -i HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR=/run/user/$user LANG=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen "$@"
}

# The program started from the launcher is still running, its window shown,
# when it is stopped after 20 s; it has said nothing but the offscreen
# platform's notice that it cannot pass a window's size hints on.
said=$(cd / && as_user timeout 20 quenhar-launcher 2>&1)
status=$?
said=$(grep -vx 'This plugin does not support propagateSizeHints()' <<<"$said")
[ "$status" -eq 124 ] || fail "the program ended with status $status before it was stopped"
[ -z "$said" ] || fail "the program said: $said"
folder=$home/.local/share/quenhar
cmp -s /usr/share/quenhar/velmora.db "$folder/velmora.db" ||
  fail "the launcher did not give the user a copy of the sample bank"

# The window's Chinese text is set in one of the CJK fonts the program falls
# back on (app/SongFont.cpp): Qt's font matching, when it logs, names each
# installed family it considers.
considered=$(cd "$folder" && as_user QT_LOGGING_RULES=qt.text.font.match.debug=true timeout 10 quenhar 2>&1 |
  grep -o "best foundry for family '[^']*'" | sort -u)
grep -Eq "'(Noto Serif CJK SC|Noto Sans CJK SC|AR PL UMing CN|AR PL UMing TW MBE)'" <<<"$considered" ||
  fail "the program finds none of its Chinese fonts; it considered: $considered"

# The bank tool builds the sample bank from its source, drawing its SVG
# pictures offscreen with Qt SVG, and finds it usable.
cp -r "$sample_source" "$home/source"
chown -R $user:$user "$home/source"
as_user quenhar-bank build "$home/source/bank.json" "$home/built.db" || fail "the bank tool cannot build the sample bank"
as_user quenhar-bank check "$home/built.db" >/dev/null || fail "the bank built here does not pass the check"

# Removing the package leaves none of its files; purging it leaves no trace
# in dpkg; the user's folder stays.
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $NF); print $NF }')
apt-get remove -y -q quenhar || fail "apt cannot remove the package"
for file in $files; do
  [ ! -e "$file" ] || fail "$file is left after removal"
done
dpkg --purge quenhar || fail "dpkg cannot purge the package"
dpkg-query -W quenhar 2>/dev/null && fail "dpkg still knows the package after purging"
[ -f "$folder/velmora.db" ] || fail "removing the package removed the user's bank"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed in the clean root" >&2
  exit 1
fi
echo "all checks passed in the clean root"
