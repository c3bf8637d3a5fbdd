#!/usr/bin/env bash
# Builds the program and starts it.
#   scripts/run.sh                  on the sample bank, in the folder run/
#   scripts/run.sh path/to/bank.db  on your own bank (its folder becomes the
#                                   working directory; the program reads
#                                   velmora.db there)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh

if [ $# -ge 1 ]; then
  bank=$(realpath "$1")
  folder=$(dirname "$bank")
  if [ "$(basename "$bank")" != "velmora.db" ]; then
    echo "The program reads a bank named velmora.db; rename $bank or copy it to velmora.db." >&2
    exit 2
  fi
else
  folder=$PWD/run
  mkdir -p "$folder"
  # The sample bank is copied once; a bank already there is never replaced.
  [ -e "$folder/velmora.db" ] || cp build/data/velmora.db "$folder/velmora.db"
fi

cd "$folder"
exec "$OLDPWD/build/app/quenhar"
