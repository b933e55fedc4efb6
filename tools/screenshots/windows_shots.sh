#!/usr/bin/env bash
# Pictures of the Windows build's own dialogs, drawn by the system's controls: runs
# them under Wine on a virtual X display and grabs the screen with screen_grab. As
# with the Linux pictures no window manager runs, so they show the client area
# without a title bar.
#   tools/screenshots/windows_shots.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR OUT_DIR
# LINUX_BUILD_DIR has screen_grab (the default preset). From WINDOWS_BUILD_DIR (the
# windows preset with KAVRO_WITH_UI=ON), what is built of:
#   - tools/screenshots/sample_dialog_show.exe: the toolkit's sample dialog, filled
#     as ui_screenshot fills it, into windows-sample-dialog.png;
#   - Kavro-TScap.exe: the program with the script of guide_shots.sh and a pause on
#     the device selection, grabbed at four moments the transcript announces, into
#     windows-device-selection.png, windows-main-window-locked.png,
#     windows-recording.png and windows-positioner.png.
set -euo pipefail

here=$(dirname "$(readlink -f "$0")")
source_dir=$(readlink -f "$here/../..")
build=$(readlink -f "$1")
windows=$(readlink -f "$2")
out=$(readlink -f "$3")
mkdir -p "$out"
grab=$build/tools/screenshots/screen_grab
sample=$windows/tools/screenshots/sample_dialog_show.exe
program=$windows/Kavro-TScap.exe
if [ ! -f "$grab" ]; then
  echo "windows_shots: $grab is not built" >&2
  exit 2
fi
if [ ! -f "$sample" ] && [ ! -f "$program" ]; then
  echo "windows_shots: neither $sample nor $program is built" >&2
  exit 2
fi

work=$(mktemp -d)
session=$work/session
# A prefix of the pictures' own, kept in the Windows build tree: the recording the
# script makes goes to its drive c:, never to the tests'.
export WINEPREFIX=$windows/screenshot-prefix
cleanup() {
  "$source_dir/cmake/wine-session.sh" stop "$session" >/dev/null || true
  rm -f "$WINEPREFIX/drive_c/guide-shot.ts"
  rm -rf "$work"
}
trap cleanup EXIT
"$source_dir/cmake/wine-session.sh" start "$session"
export KAVRO_WINE_SESSION=$session

# Drive z: is the Linux root.
wine_path() { printf 'Z:%s' "$1" | tr / '\\'; }

grab_screen() {
  DISPLAY=$(cat "$session/display") QT_QPA_PLATFORM=xcb "$grab" "$1"
}
written=()

if [ -f "$sample" ]; then
  "$source_dir/cmake/wine-run.sh" "$sample" 6000 >/dev/null 2>&1 &
  shown=$!
  sleep 4
  grab_screen "$out/windows-sample-dialog.png"
  wait "$shown"
  written+=(windows-sample-dialog.png)
fi

if [ -f "$program" ]; then
  cat >"$work/script" <<'SCRIPT'
dump 1022
wait 2500
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
  shot() {
    for _ in $(seq 300); do
      grep -q "$1" "$work/transcript" 2>/dev/null && break
      sleep 0.1
    done
    sleep 1
    grab_screen "$out/$2"
    written+=("$2")
  }

  KAVRO_MACHINE=sim KAVRO_UI_SCRIPT=$(wine_path "$work/script") KAVRO_UI_TRANSCRIPT=$(wine_path "$work/transcript") \
    "$source_dir/cmake/wine-run.sh" "$program" >/dev/null 2>&1 &
  running=$!
  shot '^control 1022 ' windows-device-selection.png
  shot '^control 1032 ' windows-main-window-locked.png
  shot '^control 1039 ' windows-recording.png
  shot '^control 1068 ' windows-positioner.png
  wait "$running" || true
fi
echo "windows_shots: ${written[*]} in $out"
