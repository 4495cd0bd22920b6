# Shared by the scripts that start Wine: one private prefix per use,
# quiet, with no menu builder, Mono or sound.

tolvane_wine_env() {
  export WINEPREFIX="$(mkdir -p "$1" && cd "$1" && pwd)"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;winealsa.drv=d"
  export WINEARCH=win64
}

# Creates the prefix once (under a lock: test discovery starts many
# processes at once) with the null graphics driver, so that windows,
# messages, hooks and dialogs work without a display.
tolvane_wine_prefix_ready() {
  [ -f "$WINEPREFIX/.tolvane-ready" ] && return 0
  (
    flock 9
    [ -f "$WINEPREFIX/.tolvane-ready" ] && exit 0
    wineboot -i </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tolvane-ready"
  ) 9>"$WINEPREFIX.lock"
}
