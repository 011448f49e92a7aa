# Sourced by the scripts: the project's Wine prefix and its session (a server
# and an anchor), all run by Wine 10 in the root that scripts/wine-root keeps
# (one wine64 runs the x86_64 programs and starts the i686 ones; one 64-bit
# prefix serves both).
#
# The i686 programs run one of two ways, the same for every program of a run:
#   native     in wine64's wow64 mode, on the kernel's own 32-bit code
#              segment and system calls;
#   emulated   in Debian's 32-bit Wine under qemu-i386, a user-mode emulator,
#              for a kernel that runs no 32-bit code. Every Wine process then
#              runs under scripts/x86_64_only.c's filter, which kills any
#              process making a system call that is not x86_64's own: nothing
#              runs natively unnoticed.
# FARELIB_I686=native or emulated chooses; unset, i686_choose asks the kernel
# (scripts/ia32_probe.c).
#
# Functions:
#   i686_choose     settle the way for this run: FARELIB_I686 (exported),
#                   the tools it needs built and the commands below set; on
#                   failure returns 1 with the reason in $i686_why
#   wine64, wineserver  the commands that run wine64 and wineserver in the
#                   root (arrays), for wrappers: timeout 60 "${wine64[@]}" ARGS
#   wine_prefix     create the prefix once
#   wine_up         start the session: the server, detached, and its anchor
#                   (see start_anchor); wait until both answer
#   wine_down       end it and wait until it has gone
#   run_wine ARGS   wine64 ARGS in the root
#   run_wineserver ARGS
#   filter_check    show that the emulated way's filter kills a native i386
#                   program; prints what it found, returns 1 if it does not
#   farelib_tool NAME [CC ARGS]  build scripts/NAME.c into build/tools/NAME
#                   once (again when the source is newer) and print its path
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

farelib_tool() {
  local name=$1 dir=$FARELIB_ROOT/build/tools
  local out=$dir/$name source=$FARELIB_ROOT/scripts/${name%.so}.c
  shift
  if [ ! -x "$out" ] || [ "$source" -nt "$out" ]; then
    mkdir -p "$dir" || return 1
    # Tests run side by side may ask at once: one builds, the others wait.
    (
      flock 9
      [ -x "$out" ] && [ ! "$source" -nt "$out" ] && exit 0
      cc -O2 -Wall -Wextra "$@" -o "$out.new" "$source" && mv -f "$out.new" "$out"
    ) 9>"$dir/.lock" >&2 || { echo "$source did not build" >&2; return 1; }
  fi
  echo "$out"
}

# The commands for the way in FARELIB_I686. Emulated: wine64 under the
# name wine-emu64 starts 32-bit programs through wine-emu, which runs them in
# qemu-i386 (scripts/wine-root); qemu hands qemu_trapno.c's library to them
# alone (QEMU_SET_ENV).
wine_commands() {
  local root=$FARELIB_ROOT/scripts/wine-root filter=() loader=wine64 preload
  if [ "${FARELIB_I686:-}" = emulated ]; then
    filter=("$(farelib_tool x86_64_only)") &&
      preload=$(farelib_tool qemu_trapno.so -m32 -shared -fPIC -fno-stack-protector) || {
      wine64=(false) wineserver=(false)
      return 1
    }
    # qemu splits QEMU_SET_ENV at commas.
    case $preload in *,*) echo "wine: the emulated way needs a checkout path without a comma ($preload)" >&2
                          wine64=(false) wineserver=(false); return 1 ;; esac
    export QEMU_SET_ENV=LD_PRELOAD=$preload
    loader=wine-emu64
  fi
  wine64=("${filter[@]}" "$root" exec /usr/lib/wine/$loader)
  wineserver=("${filter[@]}" "$root" exec /usr/lib/wine/wineserver)
}
run_wine() { "${wine64[@]}" "$@"; }
run_wineserver() { "${wineserver[@]}" "$@"; }

i686_choose() {
  i686_why=
  case ${FARELIB_I686:-} in
    native|emulated) ;;
    '') i686_why=$(ia32_probe)
        case $? in
          0) FARELIB_I686=native ;;
          1) FARELIB_I686=emulated ;;
          *) return 1 ;;
        esac ;;
    *) i686_why="FARELIB_I686 is '$FARELIB_I686'; it takes native or emulated"; return 1 ;;
  esac
  export FARELIB_I686
  wine_commands || { i686_why="the tools of the $FARELIB_I686 way did not build"; return 1; }
}

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

# The session's server, detached (its own session, no open pipes). Without
# -f its first process returns once the socket is ready, and setsid -w waits
# for that: no program is started before the server can take it. (Started in
# the background instead, the first program may start a short-lived server of
# its own first; the session's then cannot start.) It outlives its last
# program by ten seconds: during the session the anchor below is always
# there; after it, the server ends by itself, with Wine's own processes and
# the mounts of the root they run in, even when the session was killed.
start_wineserver() {
  setsid -w "${wineserver[@]}" -p10 </dev/null >/dev/null 2>&1
}

# The session's anchor, a Wine program (cmd, waiting for a line) that lasts
# as long as the shell that started the session. Two things hang on it:
#  - The desktop. Wine starts its desktop process (explorer.exe /desktop)
#    for the first program that needs a window, and that process keeps the
#    program's standard error (Wine hands every process it starts the
#    Unix stderr of its starter) until the desktop closes, a second after
#    the last program has left it. Started by a test, it held the test's
#    output pipe open, and ctest, which reads a test's output to its end,
#    waited for it: after the program itself had passed and exited, and,
#    with tests starting all the time under load, past the time limit.
#    The anchor asks for the desktop window first (rundll32 calling
#    GetDesktopWindow, which returns once the desktop is there), with its
#    stderr going nowhere; the desktop then stays open for the whole
#    session, and no test starts one.
#  - The session's end. The anchor reads from a pipe whose only writer is a
#    sleep that the kernel kills when this shell dies, however it dies: the
#    anchor then reads the end of its input and exits, and the server ends
#    ten seconds later.
# The anchor writes farelib-anchor into the prefix once the desktop is
# there and it holds it; wine_up waits for that.
start_anchor() {
  local mark=$WINEPREFIX/farelib-anchor
  rm -f "$mark"
  setpriv --pdeathsig KILL -- sleep infinity 2>/dev/null </dev/null |
    (cd "$WINEPREFIX" && run_wine cmd /c \
      'rundll32.exe user32.dll,GetDesktopWindow & type nul > farelib-anchor & set /p _=' >/dev/null 2>&1) &
  for _ in $(seq 1200); do
    [ -f "$mark" ] && return 0
    sleep 0.1
  done
  echo "wine: the session's anchor did not start in 120 s" >&2
  return 1
}

wine_up() {
  wine_prefix
  if ! start_wineserver; then
    # A server of this prefix is running already (left by a run that was
    # stopped, or not persistent): end it and start ours.
    wine_down
    start_wineserver || { echo "wine: the wineserver of $WINEPREFIX did not start" >&2; return 1; }
  fi
  start_anchor
}

wine_down() {
  run_wineserver -k >/dev/null 2>&1 </dev/null || true
  run_wineserver -w >/dev/null 2>&1 </dev/null || true
}

# Does the kernel run 32-bit code inside a 64-bit process, as wow64 mode
# needs (scripts/ia32_probe.c asks it)? Exit status 0 yes, 1 no (the probe
# prints which part is missing), 2 the probe could not tell.
ia32_probe() {
  local probe
  probe=$(farelib_tool ia32_probe) || { echo "the 32-bit probe did not build"; return 2; }
  "$probe"
}

# A native i386 program, under the filter the emulated way runs Wine in:
# the root's 32-bit Wine loader, asked for its version. It ends by SIGSYS at
# its first system call where the kernel runs 32-bit code; elsewhere the
# kernel does not start it at all. Run through wine-emu, it answers.
filter_check() {
  local filter out rc emulated
  filter=$(farelib_tool x86_64_only) || return 1
  out=$("$filter" "$FARELIB_ROOT/scripts/wine-root" exec /usr/lib/wine/wine-i386 --version 2>&1)
  rc=$?
  emulated=$("$filter" "$FARELIB_ROOT/scripts/wine-root" exec /usr/lib/wine/wine-emu --version 2>&1) ||
    { echo "the 32-bit Wine loader did not run under qemu-i386: $emulated"; return 1; }
  if [ "$rc" -eq $((128 + 31)) ]; then
    echo "filter check: a native i386 program under the filter was killed at its first system call (SIGSYS); under qemu-i386 it ran ($emulated)"
  elif [ "$rc" -eq 126 ] && grep -q 'Exec format error' <<<"$out"; then
    echo "filter check: this kernel starts no i386 program (Exec format error), so none runs natively; under qemu-i386 it ran ($emulated)"
  else
    echo "filter check FAILED: a native i386 program under the filter was not stopped (exit status $rc: $out)"
    return 1
  fi
}

# The commands for this run's way where it is settled already (a test
# program's wine-run, started by scripts/test), else native's until
# i686_choose runs.
wine_commands
