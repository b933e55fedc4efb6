#!/usr/bin/env bash
# Runs a Windows program under Wine for the windows preset's tests: a private
# prefix in the build tree (created once, under a lock, so parallel tests do not
# race), no debug channels, no installer dialogs. Windows exist only on an X
# display: KAVRO_WINE_DISPLAY names one, or else the display of the Wine session
# that KAVRO_WINE_SESSION names (cmake/wine-session.sh, the test run's Xvfb);
# without either there is none.
set -euo pipefail

wine=$(command -v wine64 || command -v wine || true)
for candidate in /usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64; do
  [ -n "$wine" ] && break
  [ -x "$candidate" ] && wine=$candidate
done
if [ -z "$wine" ]; then
  echo "wine-run: no wine64 found (scripts/setup installs it)" >&2
  exit 127
fi

# The windows test preset names a prefix in the build tree.
export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/kavro-wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
if [ -n "${KAVRO_WINE_DISPLAY:-}" ]; then
  export DISPLAY=$KAVRO_WINE_DISPLAY
elif [ -n "${KAVRO_WINE_SESSION:-}" ] && [ -s "$KAVRO_WINE_SESSION/display" ]; then
  DISPLAY=$(cat "$KAVRO_WINE_SESSION/display")
  export DISPLAY
fi

if [ ! -f "$WINEPREFIX/.kavro-ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.kavro-ready" ]; then
      "$wine" wineboot --init >/dev/null 2>&1 || true
      "$(dirname "$wine")/wineserver" -w 2>/dev/null || true
      touch "$WINEPREFIX/.kavro-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

exec "$wine" "$@"
