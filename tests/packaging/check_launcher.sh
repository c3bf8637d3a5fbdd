#!/usr/bin/env bash
# Runs the unpacked launcher as the desktop entry would, with a home and data
# folder of the test's own and a stub in place of the program that records
# the folder it was started in, its arguments and the bank it found there.
#   check_launcher.sh UNPACKED_DIR SCRATCH_DIR
set -uo pipefail
. "$(dirname "$0")/checks.sh"
unpacked=$1 scratch=$2

# A copy of the installed tree whose program is the stub; the unpacked package
# stays as it is for the other checks.
rm -rf "$scratch"
mkdir -p "$scratch"
cp -a "$unpacked/usr" "$scratch/usr"
launcher=$scratch/usr/bin/quenhar-launcher
sample=$scratch/usr/share/quenhar/velmora.db
record=$scratch/started
cat >"$scratch/usr/bin/quenhar" <<'STUB'
#!/bin/sh
{ pwd; echo "$#" "$@"; cksum <velmora.db; } >"$STUB_RECORD"
STUB
chmod +x "$scratch/usr/bin/quenhar"

# Runs the launcher for a user whose home is $1; the other arguments are
# environment settings (VAR=value, or -u VAR to unset one).
start_as() {
  local home=$1
  shift
  rm -f "$record"
  mkdir -p "$home"
  env "$@" HOME="$home" STUB_RECORD="$record" "$launcher" --one "two words"
}

# Checks that the stub ran in the folder $1 on a bank with the checksum $2.
expect_started_in() {
  [ -f "$record" ] || { fail "the program was not started"; return; }
  [ "$(sed -n 1p "$record")" = "$1" ] || fail "the program ran in $(sed -n 1p "$record"), not $1"
  [ "$(sed -n 2p "$record")" = "2 --one two words" ] || fail "the arguments were not passed on"
  [ "$(sed -n 3p "$record")" = "$2" ] || fail "the program found another bank than expected in $1"
}

# First start: the sample bank is copied into the user's folder, nothing else
# is left there, and the program is started in it.
folder=$scratch/first/data/quenhar
start_as "$scratch/first/home" XDG_DATA_HOME="$scratch/first/data" || fail "first start failed"
cmp -s "$sample" "$folder/velmora.db" || fail "first start did not copy the sample bank"
[ "$(ls -A "$folder")" = velmora.db ] || fail "first start left more than the bank: $(ls -A "$folder")"
expect_started_in "$folder" "$(cksum <"$sample")"

# Later starts use the user's copy as it is, edits included.
echo "an edit" >>"$folder/velmora.db"
edited=$(cksum <"$folder/velmora.db")
start_as "$scratch/first/home" XDG_DATA_HOME="$scratch/first/data" || fail "second start failed"
[ "$(cksum <"$folder/velmora.db")" = "$edited" ] || fail "the second start replaced the user's bank"
expect_started_in "$folder" "$edited"

# A user's own bank put in the folder before the first start is used.
folder=$scratch/own/data/quenhar
mkdir -p "$folder"
echo "the user's own bank" >"$folder/velmora.db"
own=$(cksum <"$folder/velmora.db")
start_as "$scratch/own/home" XDG_DATA_HOME="$scratch/own/data" || fail "start with an own bank failed"
[ "$(cksum <"$folder/velmora.db")" = "$own" ] || fail "the user's own bank was replaced"
expect_started_in "$folder" "$own"

# Without XDG_DATA_HOME the folder is under ~/.local/share.
home=$scratch/default/home
start_as "$home" -u XDG_DATA_HOME || fail "start without XDG_DATA_HOME failed"
cmp -s "$sample" "$home/.local/share/quenhar/velmora.db" || fail "no bank under ~/.local/share/quenhar"
expect_started_in "$home/.local/share/quenhar" "$(cksum <"$sample")"

# A first start interrupted halfway through the copy leaves no bank, whole or
# half, and the next start copies the whole sample. The stand-in for cp writes
# half the bank and then stops the launcher, as a user closing it would.
mkdir -p "$scratch/interrupting"
cat >"$scratch/interrupting/cp" <<'INTERRUPT'
#!/bin/sh
head -c "$(($(wc -c <"$1") / 2))" "$1" >"$2"
kill -TERM "$PPID"
INTERRUPT
chmod +x "$scratch/interrupting/cp"
folder=$scratch/interrupted/data/quenhar
if start_as "$scratch/interrupted/home" XDG_DATA_HOME="$scratch/interrupted/data" \
  PATH="$scratch/interrupting:$PATH"; then
  fail "an interrupted first start went on"
fi
[ ! -f "$record" ] || fail "the program was started after an interrupted copy"
[ -z "$(ls -A "$folder")" ] || fail "an interrupted copy left $(ls -A "$folder")"
start_as "$scratch/interrupted/home" XDG_DATA_HOME="$scratch/interrupted/data" || fail "restart failed"
cmp -s "$sample" "$folder/velmora.db" || fail "the start after an interrupted one did not copy the whole bank"

# A bank that appears while the sample is being copied, put there by another
# start or by the user, is kept: the stand-in for cp puts one there first.
mkdir -p "$scratch/racing"
cat >"$scratch/racing/cp" <<'RACE'
#!/bin/sh
echo "a bank that came first" >"$(dirname "$2")/velmora.db"
exec /bin/cp "$@"
RACE
chmod +x "$scratch/racing/cp"
folder=$scratch/raced/data/quenhar
start_as "$scratch/raced/home" XDG_DATA_HOME="$scratch/raced/data" PATH="$scratch/racing:$PATH" ||
  fail "a start that lost the race failed"
[ "$(cat "$folder/velmora.db")" = "a bank that came first" ] || fail "the bank that came first was replaced"
[ "$(ls -A "$folder")" = velmora.db ] || fail "a start that lost the race left $(ls -A "$folder")"

# Started through a link, as from another bin folder, the launcher still
# finds the program and the sample bank beside its real place.
mkdir -p "$scratch/linked/bin"
ln -s "$launcher" "$scratch/linked/bin/quenhar-launcher"
launcher=$scratch/linked/bin/quenhar-launcher
folder=$scratch/linked/data/quenhar
start_as "$scratch/linked/home" XDG_DATA_HOME="$scratch/linked/data" || fail "start through a link failed"
expect_started_in "$folder" "$(cksum <"$sample")"

finish
