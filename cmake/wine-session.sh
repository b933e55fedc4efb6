#!/usr/bin/env bash
# One Wine session for a whole test run: a virtual X display and one wineserver kept
# alive, so each Windows program starts in a fraction of a second instead of starting
# its own server, and every program can open windows.
#   wine-session.sh start SESSION_DIR   (the ctest fixture's setup)
#   wine-session.sh stop SESSION_DIR    (its cleanup)
# WINEPREFIX names the prefix. start picks a free display number (Xvfb -displayfd)
# and writes it to SESSION_DIR/display, where cmake/wine-run.sh finds it; stop ends
# the server and the display. Both daemons are started in their own session with
# every descriptor of ours closed, so ctest does not wait for them to close its pipes.
set -euo pipefail

action=${1:-}
session=${2:-}
if [ -z "$action" ] || [ -z "$session" ]; then
  echo "usage: wine-session.sh start|stop SESSION_DIR" >&2
  exit 2
fi
here=$(dirname "$(readlink -f "$0")")
export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/kavro-wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}

wineserver=$(command -v wineserver || true)
for candidate in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver /usr/lib/x86_64-linux-gnu/wine/wineserver64; do
  [ -n "$wineserver" ] && break
  [ -x "$candidate" ] && wineserver=$candidate
done
if [ -z "$wineserver" ]; then
  echo "wine-session: no wineserver found (scripts/setup installs wine64)" >&2
  exit 127
fi

# In a subshell: closes every descriptor but the standard streams, which ctest's
# pipes may be among.
close_inherited() {
  for fd in /proc/$BASHPID/fd/*; do
    n=${fd##*/}
    [ "$n" -gt 2 ] && eval "exec $n>&-"
  done
}

# Runs "$@" with its standard streams on /dev/null and nothing else of ours
# inherited, so nothing it leaves running holds the test run's pipes open.
quietly() {
  (
    close_inherited
    exec "$@" </dev/null >/dev/null 2>&1
  )
}

# The same as a daemon, in a session of its own.
detached() {
  (
    close_inherited
    exec setsid "$@" </dev/null >/dev/null 2>&1
  ) &
}

stop_display() {
  if [ -f "$session/xvfb.pid" ]; then
    kill "$(cat "$session/xvfb.pid")" 2>/dev/null || true
  fi
  rm -f "$session/display" "$session/xvfb.pid"
}

case $action in
start)
  mkdir -p "$session"
  # A session left running (a run stopped before its cleanup) ends first.
  "$wineserver" -k 2>/dev/null || true
  stop_display
  if ! command -v Xvfb >/dev/null; then
    echo "wine-session: Xvfb is not installed (scripts/setup installs xvfb)" >&2
    exit 127
  fi
  # Xvfb writes the number it chose to the file once it accepts clients.
  rm -f "$session/display.number"
  : >"$session/display.number"
  detached sh -c 'echo $$ >"$1/xvfb.pid"; exec Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 -dpi 96 \
    3>"$1/display.number"' xvfb "$session"
  for _ in $(seq 100); do
    [ -s "$session/display.number" ] && break
    sleep 0.1
  done
  if [ ! -s "$session/display.number" ]; then
    echo "wine-session: Xvfb did not start" >&2
    stop_display
    exit 1
  fi
  echo ":$(tr -d '\n' <"$session/display.number")" >"$session/display"
  rm -f "$session/display.number"

  # The prefix is made once (wine-run.sh waits for that on a server of its own); a
  # server left from it or from test discovery ends within seconds of its last
  # program, and the persistent one starts after it (one server per prefix).
  if [ ! -f "$WINEPREFIX/.kavro-ready" ]; then
    KAVRO_WINE_SESSION=$session "$here/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
  fi
  "$wineserver" -w 2>/dev/null || true
  detached "$wineserver" -p -f
  # Its socket is named for the prefix's device and inode; a program started before
  # it exists would start a server of its own.
  socket=/tmp/.wine-$(id -u)/server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")/socket
  for _ in $(seq 100); do
    [ -S "$socket" ] && break
    sleep 0.1
  done
  # The first program of a session starts the system's services, which then live as
  # long as the server: started here, they hold no test's output open.
  KAVRO_WINE_SESSION=$session quietly "$here/wine-run.sh" cmd /c exit || true
  echo "wine-session: display $(cat "$session/display"), wineserver for $WINEPREFIX"
  ;;
stop)
  "$wineserver" -k 2>/dev/null || true
  stop_display
  echo "wine-session: stopped"
  ;;
*)
  echo "wine-session: unknown action $action" >&2
  exit 2
  ;;
esac
