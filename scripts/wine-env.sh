# Sourced by the scripts: the project's Wine prefix and a persistent wineserver,
# all run by Wine 10 in the root that scripts/wine-root keeps (one wine64 runs
# the x86_64 and, in wow64 mode, the i686 programs; one 64-bit prefix serves both).
# Functions:
#   wine64, wineserver  the commands that run wine64 and wineserver in the
#                   root (arrays), for wrappers: timeout 60 "${wine64[@]}" ARGS
#   wine_prefix     create the prefix once
#   wine_up         start the server, detached, and wait until it answers
#   wine_down       end it and wait until it has gone
#   run_wine ARGS   wine64 ARGS in the root
#   run_wineserver ARGS
#   i686_runnable   whether this machine can run the i686 programs at all; if
#                   not, prints why and returns 1
# Set before sourcing to use another prefix: WINEPREFIX (default build/wineprefix),
# and FARELIB_WINE_GRAPHICS for the display driver a new prefix gets (null, the
# default, draws into memory and needs no display; x11 for a person's display).

FARELIB_ROOT=${FARELIB_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)}
export WINEPREFIX=${WINEPREFIX:-$FARELIB_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree=;mshtml="}
export WINEARCH=win64
# The i386 PE libraries for wow64 mode (the root's own path).
export WINEDLLPATH=/usr/lib/i386-linux-gnu/wine
FARELIB_WINE_GRAPHICS=${FARELIB_WINE_GRAPHICS:-null}

wine64=("$FARELIB_ROOT/scripts/wine-root" exec /usr/lib/wine/wine64)
run_wine() { "${wine64[@]}" "$@"; }
wineserver=("$FARELIB_ROOT/scripts/wine-root" exec /usr/lib/wine/wineserver)
run_wineserver() { "${wineserver[@]}" "$@"; }

wine_prefix() {
  [ -f "$WINEPREFIX/.farelib-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.farelib-ready" ] && exit 0
    rm -rf --one-file-system "$WINEPREFIX"
    run_wine wineboot -i >/dev/null 2>&1 </dev/null
    # Dialogs run headless on the null display driver, which draws into memory.
    run_wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$FARELIB_WINE_GRAPHICS" /f >/dev/null 2>&1 </dev/null
    # Draw the dialog font with the installed Japanese font.
    for face in 'ＭＳ Ｐゴシック' 'ＭＳ ゴシック' 'MS PGothic' 'MS Gothic' 'MS UI Gothic' 'MS Shell Dlg'; do
      run_wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'IPAPGothic' /f \
        >/dev/null 2>&1 </dev/null
    done
    # The server that made the prefix knew no display driver yet: end it, so
    # that the first real program starts with the settings above.
    wine_down
    touch "$WINEPREFIX/.farelib-ready"
  ) 9>"$WINEPREFIX.lock"
}

# The persistent server, detached (its own session, no open pipes). Without
# -f its first process returns once the socket is ready, and setsid -w waits
# for that: no program is started before the server can take it. (Started in
# the background instead, the first program may start a short-lived server of
# its own first; the persistent one then cannot start, and programs started
# later meet a server that ends a few seconds after each idle moment.)
start_wineserver() {
  setsid -w "${wineserver[@]}" -p </dev/null >/dev/null 2>&1
}

wine_up() {
  wine_prefix
  if ! start_wineserver; then
    # A server of this prefix is running already (left by a run that was
    # stopped, or not persistent): end it and start ours.
    wine_down
    start_wineserver || { echo "wine: the wineserver of $WINEPREFIX did not start" >&2; return 1; }
  fi
  run_wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

wine_down() {
  run_wineserver -k >/dev/null 2>&1 </dev/null || true
  run_wineserver -w >/dev/null 2>&1 </dev/null || true
}

# Wine's wow64 mode runs i686 code inside a 64-bit process through the
# kernel's 32-bit code segment and 32-bit system calls. Some kernels have
# them switched off ("IA-32 emulation off"); there no i686 Windows program
# starts, whatever it is. scripts/ia32_probe.c asks the kernel itself.
i686_runnable() {
  local probe=$FARELIB_ROOT/build/ia32_probe source=$FARELIB_ROOT/scripts/ia32_probe.c out rc
  if [ ! -x "$probe" ] || [ "$source" -nt "$probe" ]; then
    mkdir -p "$(dirname "$probe")"
    cc -O2 -o "$probe" "$source" || { echo "the 32-bit probe ($source) did not build"; return 2; }
  fi
  out=$("$probe")
  rc=$?
  [ "$rc" -eq 0 ] && return 0
  echo "$out"
  return "$rc"
}
