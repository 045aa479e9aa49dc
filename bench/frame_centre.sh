#!/usr/bin/env bash
# Where the game window opens under a window manager (Openbox, inside Xvfb):
# the distance of its whole window, frame included, from the centre of the
# screen. Run by bench/run inside xvfb-run; usage: frame_centre.sh VARLO.
# Prints "frame_offset_px dx=.. dy=.. (frame WxH+X+Y on a screen WxH)"; a
# positive dy is below the centre.
set -euo pipefail
game=$1
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
sleep 1
"$game" >/dev/null 2>&1 &
pid=$!
id=""
for _ in $(seq 50); do
  id=$(xwininfo -root -tree 2>/dev/null | awk '/"Varlo": [(]"varlo"/ && !found {print $1; found=1}' || true)
  [ -n "$id" ] && break
  sleep 0.1
done
sleep 1  # the frame is drawn and the window placed again
read -r cx cy cw ch < <(xwininfo -id "$id" | awk '
  /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
  /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
# The frame's extents as the window manager announces them: left, right, top, bottom.
read -r left right top bottom < <(xprop -id "$id" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
fx=$((cx - left)) fy=$((cy - top)) fw=$((cw + left + right)) fh=$((ch + top + bottom))
read -r sw sh < <(xwininfo -root | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h}')
kill "$pid" "$wm" 2>/dev/null || true
echo "frame_offset_px dx=$(( fx + fw / 2 - sw / 2 )) dy=$(( fy + fh / 2 - sh / 2 )) (frame ${fw}x${fh}+${fx}+${fy} on a screen ${sw}x${sh})"
