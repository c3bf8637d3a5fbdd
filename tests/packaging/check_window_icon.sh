#!/usr/bin/env bash
# Starts the program on a virtual X display and checks that its window
# carries the installed icon in every size: the window's _NET_WM_ICON
# property must hold each PNG of the installed icon, pixel for pixel (within
# the one step of rounding that Qt's premultiplied pixmaps allow).
#   check_window_icon.sh ICON_THEME_DIR SAMPLE_BANK SCRATCH_DIR PROGRAM...
# ICON_THEME_DIR is an installed share/icons/hicolor folder; each PROGRAM is
# checked in turn, so the build tree's program and the packaged one are held
# to the same icon.
set -uo pipefail
. "$(dirname "$0")/checks.sh"
theme=$1 sample=$2 scratch=$3
shift 3
icon=org.quenhar.quenhar
sizes=(16 24 32 48 64 128 256)

# A virtual X display of the check's own; -displayfd picks a free number,
# which stays safe when other displays come and go on the machine.
mkdir -p "$scratch"
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$scratch/display" 2>/dev/null &
server=$!
trap 'kill "$server"' EXIT
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$scratch/display")

# Prints the window icon of PROGRAM, started in FOLDER, as xprop gives it;
# says so when the program ends before it shows a window. It may wait up to
# 60 s for the window: on a machine busy with builds a start can take far
# longer than its usual second.
window_icon_of() {
  QT_QPA_PLATFORM=xcb env -C "$2" "$1" &
  local program=$! window=
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --pid "$program" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  if [ -n "$window" ]; then
    xprop -len 4000000 -id "$window" -notype 32c _NET_WM_ICON
    kill "$program"
  fi
  local ended=0
  wait "$program" || ended=$?
  [ -n "$window" ] || echo "$1 ended with status $ended before it showed a window on $DISPLAY" >&2
}

# Splits the property's list (width, height, then the ARGB pixels, for each
# size) into one file per size, SIZE.argb, one pixel per line.
split_sizes() {
  sed 's/^[^=]*= //' | tr -d ' ' | tr ',' '\n' |
    awk -v dir="$1" 'width == 0 { width = $1; next }
      height == 0 { height = $1; left = width * height; file = dir "/" width ".argb"; next }
      { print > file; if (--left == 0) { width = 0; height = 0 } }'
}

# Compares SIZE.argb with the PNG: the largest difference in any channel of
# the pixels that are not transparent in both.
largest_difference() {
  convert "$2" -depth 8 rgba:- | od -An -v -tu1 | tr -s ' ' '\n' | grep -v '^$' |
    awk 'NR == FNR { argb[NR] = $1; next }
      { channel[(FNR - 1) % 4] = $1 }
      FNR % 4 == 0 {
        pixel++
        v = argb[pixel]
        a = int(v / 16777216); r = int(v / 65536) % 256; g = int(v / 256) % 256; b = v % 256
        if (a == 0 && channel[3] == 0) next
        d[1] = r - channel[0]; d[2] = g - channel[1]; d[3] = b - channel[2]; d[4] = a - channel[3]
        for (i = 1; i <= 4; i++) { if (d[i] < 0) d[i] = -d[i]; if (d[i] > most) most = d[i] }
      }
      END { if (pixel != length(argb)) most = 255; print most + 0 }' "$1" -
}

for program in "$@"; do
  program=$(realpath "$program")
  folder=$scratch/$(basename "$(dirname "$program")")
  rm -rf "$folder"
  mkdir -p "$folder/sizes"
  cp "$sample" "$folder/velmora.db"
  property=$(window_icon_of "$program" "$folder")
  grep -q '= [0-9]' <<<"$property" || { fail "$program shows no window with an icon"; continue; }
  split_sizes "$folder/sizes" <<<"$property"
  for size in "${sizes[@]}"; do
    pixels=$folder/sizes/$size.argb
    [ -f "$pixels" ] || { fail "$program's window icon has no ${size}x${size} image"; continue; }
    difference=$(largest_difference "$pixels" "$theme/${size}x${size}/apps/$icon.png")
    [ "$difference" -le 1 ] ||
      fail "$program's ${size}x${size} window icon differs from the installed one (by up to $difference)"
  done
done

finish
