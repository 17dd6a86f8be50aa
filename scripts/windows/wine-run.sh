#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, headless and quiet, as the
# emulator of a cross-compiled build (CMAKE_CROSSCOMPILING_EMULATOR):
#   wine-run.sh program.exe [arguments...]
# WINEPREFIX names the prefix (made on first use); MORVEX_WINE_TIMEOUT
# bounds the run (seconds, default 900). Exits 77 when Wine is missing.
# Programs that make real windows need a display (Wine's null display
# driver makes none): a test run's programs use the Xvfb screen that
# wine-prefix.sh started for the run; outside a run, MORVEX_WINE_XVFB=1 gives
# the program an Xvfb screen of its own.
set -u
if ! command -v wine >/dev/null 2>&1; then
  echo "wine is not installed (Debian packages wine64 and wine): Windows test skipped" >&2
  exit 77
fi
export WINEPREFIX="${WINEPREFIX:-$PWD/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
# No X display unless a test asks for one (MORVEX_WINE_DISPLAY): Wine then
# runs with its null display driver.
unset DISPLAY
if [ -n "${MORVEX_WINE_DISPLAY:-}" ]; then
  export DISPLAY="$MORVEX_WINE_DISPLAY"
elif [ -s "$WINEPREFIX/.morvex-display" ] && kill -0 "$(cat "$WINEPREFIX/.morvex-xvfb-pid" 2>/dev/null)" 2>/dev/null; then
  export DISPLAY="$(cat "$WINEPREFIX/.morvex-display")"
fi
# Wine keeps the Unix QT_ variables for a Qt of the host; one named
# WINEQT_... reaches the Windows program as QT_...
for name in $(compgen -e); do
  case "$name" in
    QT_*) export "WINE$name=${!name}" ;;
  esac
done
mkdir -p "$WINEPREFIX"
run=(timeout --kill-after=10 "${MORVEX_WINE_TIMEOUT:-900}" wine "$@")
if [ "${MORVEX_WINE_XVFB:-}" = 1 ] && [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
fi
exec "${run[@]}"
