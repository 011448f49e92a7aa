# Sourced by the project's commands (test, demo, package, bench): where the
# checkout is, building a preset with its log, and Wine (scripts/wine-env.sh:
# the prefix, the server, run_wine). Set WINEPREFIX before sourcing to use
# another prefix than build/wineprefix.
#
#   FARELIB_ROOT          the checkout (exported)
#   FARELIB_JOBS          parallel build jobs (default: the number of cores)
#   FARELIB_LOG           where build_preset writes its logs (default build/logs)
#   build_preset PRESET   configure and build PRESET, the output going to
#                         $FARELIB_LOG/configure-PRESET.txt and build-PRESET.txt;
#                         on failure it says so, shows the end of both logs
#                         on stderr and returns 1
#   wine_session          start the wineserver of $WINEPREFIX (wine_up) and
#                         end it (wine_down) when the shell exits, on an
#                         error, Ctrl-C or TERM too

FARELIB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd -P)
export FARELIB_ROOT
FARELIB_JOBS=${FARELIB_JOBS:-$(nproc 2>/dev/null || echo 2)}
FARELIB_LOG=${FARELIB_LOG:-$FARELIB_ROOT/build/logs}

. "$FARELIB_ROOT/scripts/wine-env.sh"

build_preset() {
  local preset=$1 configure=$FARELIB_LOG/configure-$1.txt build=$FARELIB_LOG/build-$1.txt
  mkdir -p "$FARELIB_LOG" || return 1
  : >"$build"
  if ! (cd "$FARELIB_ROOT" && cmake --preset "$preset" >"$configure" 2>&1 &&
        cmake --build --preset "$preset" -j "$FARELIB_JOBS" >"$build" 2>&1); then
    echo "the build of $preset failed:" >&2
    tail -n 40 "$configure" "$build" >&2
    return 1
  fi
}

wine_session() {
  trap wine_down EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  wine_up
}
