# Sourced by the scripts: the project's Wine prefix and a persistent wineserver.
# Functions: wine_prefix (create the prefix once), wine_up (start the server
# detached and warm it), wine_down (end it).
# Set before sourcing to use another prefix: WINEPREFIX (default build/wineprefix)
# and FARELIB_WINE_GRAPHICS (the display driver written into a new prefix:
# null, the default, for the tests; x11 for the demo's pictures).

FARELIB_ROOT=${FARELIB_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$FARELIB_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree=;mshtml="}
export WINEARCH=win64
FARELIB_WINE_GRAPHICS=${FARELIB_WINE_GRAPHICS:-null}
# Code page 932 for the narrow texts.
export LC_ALL=ja_JP.UTF-8
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

wine_prefix() {
  [ -f "$WINEPREFIX/.farelib-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.farelib-ready" ] && exit 0
    "$WINE64" wineboot -i >/dev/null 2>&1 </dev/null
    # Dialogs run headless on the null display driver (the demo's prefix: x11).
    "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$FARELIB_WINE_GRAPHICS" /f \
      >/dev/null 2>&1 </dev/null
    # Draw the dialog font with an installed Japanese font.
    for face in 'ＭＳ Ｐゴシック' 'ＭＳ ゴシック' 'MS PGothic' 'MS Gothic' 'MS UI Gothic' 'MS Shell Dlg'; do
      "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'IPAPGothic' /f \
        >/dev/null 2>&1 </dev/null
    done
    "$WINESERVER" -w
    touch "$WINEPREFIX/.farelib-ready"
  ) 9>"$WINEPREFIX.lock"
}

wine_up() {
  wine_prefix
  # Detached and silent, so that no test's output pipe stays open behind it.
  setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1 &
  "$WINE64" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

wine_down() {
  "$WINESERVER" -k >/dev/null 2>&1 </dev/null || true
  "$WINESERVER" -w >/dev/null 2>&1 </dev/null || true
}
