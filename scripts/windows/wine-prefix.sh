#!/usr/bin/env bash
# Prepares the Wine prefix of a test run before the Windows tests start,
# and ends its Wine server after them:
#   wine-prefix.sh start|stop      (WINEPREFIX names the prefix)
# A fresh prefix takes about ten seconds to make; making it here, once,
# keeps two tests started together from making it at the same time.
# The run also gets one Xvfb screen, on which every Windows program of the
# run makes its windows (Wine binds its desktop to the display of the first
# program that starts; Wine's null display driver makes no windows at all).
set -u
if ! command -v wine >/dev/null 2>&1; then
  echo "wine is not installed (Debian packages wine64 and wine): Windows tests skipped" >&2
  exit 77
fi
export WINEPREFIX="${WINEPREFIX:?WINEPREFIX must name the prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY
display_file="$WINEPREFIX/.morvex-display"
xvfb_pid_file="$WINEPREFIX/.morvex-xvfb-pid"

stop_all() {
  wineserver -k 2>/dev/null
  timeout 60 wineserver -w 2>/dev/null
  if [ -f "$xvfb_pid_file" ]; then
    kill "$(cat "$xvfb_pid_file")" 2>/dev/null
    rm -f "$xvfb_pid_file"
  fi
  rm -f "$display_file"
}

case "${1:-}" in
  start)
    mkdir -p "$WINEPREFIX"
    stop_all
    if command -v Xvfb >/dev/null 2>&1; then
      Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file.tmp" >/dev/null 2>&1 </dev/null &
      echo $! >"$xvfb_pid_file"
      for _ in $(seq 100); do
        [ -s "$display_file.tmp" ] && break
        sleep 0.1
      done
      if [ -s "$display_file.tmp" ]; then
        echo ":$(tr -d '\n' <"$display_file.tmp")" >"$display_file"
        export DISPLAY="$(cat "$display_file")"
      fi
      rm -f "$display_file.tmp"
    fi
    # The Wine server and the prefix's own processes (services, the desktop
    # on the run's screen) start here, with no output of a test: started by
    # a test's program instead, they would hold that test's output open, and
    # ctest would wait for them until its timeout. They run until "stop".
    # Made and updated quietly (its first run prints harmless notes), and
    # written out whole before the run's server starts.
    timeout 300 wineboot --init >/dev/null 2>&1 </dev/null
    wineserver -k 2>/dev/null
    timeout 120 wineserver -w
    wineserver -p >/dev/null 2>&1 </dev/null
    test -d "$WINEPREFIX/drive_c/windows/system32" || { echo "the Wine prefix $WINEPREFIX could not be made" >&2; stop_all; exit 1; }
    # rundll32 makes a window before it calls its entry: the desktop starts.
    timeout 60 wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null
    ;;
  stop)
    stop_all
    exit 0
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
