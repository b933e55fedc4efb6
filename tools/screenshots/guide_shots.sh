#!/usr/bin/env bash
# The user guide's pictures from the real program: runs Kavro-TScap on a virtual X
# display (xvfb-run) with a script that locks a transponder, records and opens the
# positioner page, and grabs the screen at three moments the transcript announces.
#   tools/screenshots/guide_shots.sh BUILD_DIR OUT_DIR
# Needs the targets Kavro-TScap and screen_grab built in BUILD_DIR.
set -euo pipefail

build=$(readlink -f "$1")
out=$(readlink -f "$2")
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/script" <<'SCRIPT'
select 1022 2
click 1
text 1013 9750
text 1015 10600
text 1059 11700
text 1012 11053
text 1014 22000
select 1002 0
select 1003 1
click 1
wait-text 1032 10000 LOCKED
wait-text 1051 10000 1303000
wait 1500
dump 1032
wait 2500
page 1
text 1030 c:\guide-shot.ts
click 1034
text 1031 6
click 1036
wait-text 1039 10000 3 Seconds
dump 1039
wait 2000
wait-text 1035 15000 Record Stopped!
page 2
pick 1092 Germany
pick 1086 Augsburg
pick 1093 0192  Astra 1KR/1L/1M/1N
dump 1068
wait 2500
SCRIPT

# shot MARKER FILE: waits until the transcript holds MARKER, then grabs.
cat >"$work/shots" <<'SHOTS'
set -euo pipefail
shot() {
  for _ in $(seq 200); do
    grep -q "$1" "$WORK/transcript" 2>/dev/null && break
    sleep 0.1
  done
  sleep 0.5
  "$BUILD/tools/screenshots/screen_grab" "$2"
}
mkdir -p "$WORK/c"
KAVRO_DRIVE_C="$WORK/c" KAVRO_UI_SCRIPT="$WORK/script" KAVRO_UI_TRANSCRIPT="$WORK/transcript" \
  QT_QPA_PLATFORM=xcb "$BUILD/Kavro-TScap" &
program=$!
shot '^control 1032 ' "$OUT/main-window-locked.png"
shot '^control 1039 ' "$OUT/recording.png"
shot '^control 1068 ' "$OUT/positioner.png"
wait "$program"
SHOTS

WORK=$work BUILD=$build OUT=$out xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash "$work/shots"
echo "guide_shots: main-window-locked.png recording.png positioner.png in $out"
