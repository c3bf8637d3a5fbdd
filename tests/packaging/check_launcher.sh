#!/usr/bin/env bash
# Runs the unpacked launcher as the desktop entry would, with a home and data
# folder of the test's own and a stub in place of the program that records
# the folder it was started in, its arguments and the bank it found there,
# and ends with the status it is given in STUB_STATUS.
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
exit "${STUB_STATUS:-0}"
STUB
chmod +x "$scratch/usr/bin/quenhar"

# Prepares a start of the launcher for a user whose home is $1, the other
# arguments being environment settings (VAR=value, or -u VAR to unset one):
# sets `launch` to the command.
launch_as() {
  local home=$1
  shift
  rm -f "$record"
  mkdir -p "$home"
  launch=(env "$@" HOME="$home" STUB_RECORD="$record" "$launcher" --one "two words")
}

# Runs the launcher as launch_as prepares it.
start_as() {
  launch_as "$@"
  "${launch[@]}"
}

# The same on a terminal of its own; what is written there is printed.
start_on_terminal_as() {
  launch_as "$@"
  SHELL=/bin/bash script -qec "${launch[*]@Q}" /dev/null
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

# A start killed outright while copying runs no clean-up and leaves its
# temporary copy; the next start removes it, also when a bank is in place.
mkdir -p "$scratch/killing"
cat >"$scratch/killing/cp" <<'KILL'
#!/bin/sh
head -c "$(($(wc -c <"$1") / 2))" "$1" >"$2"
kill -KILL "$PPID"
KILL
chmod +x "$scratch/killing/cp"
folder=$scratch/killed/data/quenhar
start_as "$scratch/killed/home" XDG_DATA_HOME="$scratch/killed/data" PATH="$scratch/killing:$PATH" &&
  fail "a start killed while copying went on"
leftover=$(ls -A "$folder")
[[ $leftover == .velmora.db.?????? ]] || fail "the killed start left '$leftover', not one temporary copy"
start_as "$scratch/killed/home" XDG_DATA_HOME="$scratch/killed/data" || fail "the start after a killed one failed"
cmp -s "$sample" "$folder/velmora.db" || fail "the start after a killed one did not copy the whole bank"
[ "$(ls -A "$folder")" = velmora.db ] || fail "the start after a killed one left $(ls -A "$folder")"
echo "the user's own bank" >"$folder/velmora.db"
own=$(cksum <"$folder/velmora.db")
cp "$sample" "$folder/.velmora.db.Ab12Cd"
start_as "$scratch/killed/home" XDG_DATA_HOME="$scratch/killed/data" || fail "a start with an own bank failed"
[ "$(ls -A "$folder")" = velmora.db ] || fail "a start beside an own bank left $(ls -A "$folder")"
[ "$(cksum <"$folder/velmora.db")" = "$own" ] || fail "the user's own bank was replaced"

# Starts at the same time take turns: one that comes while another is copying
# waits, and leaves the other's temporary copy alone. The stand-in for cp
# copies, signals, waits and then checks that its copy is still there.
mkdir -p "$scratch/slowing"
cat >"$scratch/slowing/cp" <<'SLOW'
#!/bin/sh
/bin/cp "$@"
touch "$SLOW_COPY_MADE"
sleep 1
[ -f "$2" ] || echo "removed while copying" >"$SLOW_COPY_MADE"
SLOW
chmod +x "$scratch/slowing/cp"
folder=$scratch/together/data/quenhar
copy_made=$scratch/together/copy-made
launch_as "$scratch/together/first" XDG_DATA_HOME="$scratch/together/data" PATH="$scratch/slowing:$PATH" \
  SLOW_COPY_MADE="$copy_made"
"${launch[@]}" &
first=$!
for _ in $(seq 100); do [ -e "$copy_made" ] && break; sleep 0.1; done
[ -e "$copy_made" ] || fail "the first of two starts never copied"
start_as "$scratch/together/second" XDG_DATA_HOME="$scratch/together/data" || fail "the second of two starts failed"
wait "$first" || fail "the first of two starts failed"
[ ! -s "$copy_made" ] || fail "the second of two starts removed the first one's copy"
cmp -s "$sample" "$folder/velmora.db" || fail "two starts at once did not leave the sample bank"
[ "$(ls -A "$folder")" = velmora.db ] || fail "two starts at once left $(ls -A "$folder")"

# When the program ends with status 1, having found no bank it could open,
# the launcher says in which folder it looked: on the terminal if there is
# one, otherwise in its log and in the system journal (a stand-in for logger
# records what it is given). The program's status is passed on, and other
# endings leave no note.
mkdir -p "$scratch/journal"
cat >"$scratch/journal/logger" <<'LOGGER'
#!/bin/sh
echo "$@" >>"$JOURNAL"
LOGGER
chmod +x "$scratch/journal/logger"
folder=$scratch/unusable/data/quenhar
log=$scratch/unusable/state/quenhar/launcher.log
journal=$scratch/unusable/journal
note="缺少velmora.db文件：程序在文件夹 $folder 中查找。"
for terminal in no yes; do
  for status in 0 1; do
    rm -rf "$scratch/unusable/state" "$journal"
    settings=(XDG_DATA_HOME="$scratch/unusable/data" XDG_STATE_HOME="$scratch/unusable/state"
      PATH="$scratch/journal:$PATH" JOURNAL="$journal" STUB_STATUS="$status")
    where=$([ "$terminal" = yes ] && echo "on a terminal" || echo "without a terminal")
    case="$where, status $status"
    if [ "$terminal" = yes ]; then
      shown=$(start_on_terminal_as "$scratch/unusable/home" "${settings[@]}" | tr -d '\r')
    else
      shown=$(start_as "$scratch/unusable/home" "${settings[@]}" 2>&1)
    fi
    ended=$?
    [ "$ended" -eq "$status" ] || fail "$case: the launcher ended with $ended"
    expect_started_in "$folder" "$(cksum <"$sample")"

    expected_shown= expected_log= expected_journal=
    if [ "$status" -eq 1 ] && [ "$terminal" = yes ]; then
      expected_shown=$note
    elif [ "$status" -eq 1 ]; then
      expected_log=$note
      expected_journal="-t quenhar-launcher -p user.warning -- $note"
    fi
    [ "$shown" = "$expected_shown" ] || fail "$case: the launcher showed '$shown'"
    logged=$([ -f "$log" ] && cut -d' ' -f3- "$log")
    [ "$logged" = "$expected_log" ] || fail "$case: the log holds '$logged'"
    [ -z "$logged" ] || [[ $(cut -d' ' -f1-2 "$log") =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{2}:[0-9]{2}:[0-9]{2}$ ]] ||
      fail "$case: the log line does not begin with the time"
    journaled=$(cat "$journal" 2>/dev/null)
    [ "$journaled" = "$expected_journal" ] || fail "$case: the journal got '$journaled'"
  done
done

# Started through a link, as from another bin folder, the launcher still
# finds the program and the sample bank beside its real place.
mkdir -p "$scratch/linked/bin"
ln -s "$launcher" "$scratch/linked/bin/quenhar-launcher"
launcher=$scratch/linked/bin/quenhar-launcher
folder=$scratch/linked/data/quenhar
start_as "$scratch/linked/home" XDG_DATA_HOME="$scratch/linked/data" || fail "start through a link failed"
expect_started_in "$folder" "$(cksum <"$sample")"

finish
