#!/bin/bash
# The installer a user runs. "TolvaneSetup.exe /S" in a fresh prefix puts
# the program folder in the user's own programs folder with the Start Menu
# entries, the "Apps and features" entry and the companion's registration;
# Tolvane started from the Start Menu shortcut's target greets; the silent
# uninstaller closes that running Tolvane and leaves no program file, Run
# value, uninstall key or companion registration behind, while the user's
# chore files stay. A help file held open keeps the uninstaller and its
# entry, and Uninstall.log names the file; once it is let go, "remove my
# files" deletes every file of the user's by name, and nothing else.
source "$(dirname "$0")/lib.sh"
e2e_init installer
: "${TOLVANE_SETUP:=$TOLVANE_BUILD_DIR/TolvaneSetup.exe}"
: "${TOLVANE_DIST_DIR:=$TOLVANE_BUILD_DIR/dist}"

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvane'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
class_key='HKCR\CLSID\{6F2D8A41-93B7-4C5E-A1D0-7E4B2C9F5A13}'
bho_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\Browser Helper Objects\{6F2D8A41-93B7-4C5E-A1D0-7E4B2C9F5A13}'
unix_folder() { winepath -u "$(wine cmd /c echo "$1" </dev/null 2>/dev/null | tr -d '\r')" 2>/dev/null; }
reg_has() { wine reg query "$1" </dev/null >/dev/null 2>&1; }

cp "$TOLVANE_SETUP" "$E2E_WORK/TolvaneSetup.exe"
wine "$E2E_WORK/TolvaneSetup.exe" /S </dev/null >/dev/null 2>&1 || e2e_fail "the silent install failed"
install="$(unix_folder '%LOCALAPPDATA%')/Programs/Tolvane"
menu="$(unix_folder '%APPDATA%')/Microsoft/Windows/Start Menu/Programs/Tolvane"
for file in Tolvane.exe TolvaneBho.dll tolvanectl.exe Tolvane.chm sample/_TolvaneChores.xml sample/_TolvaneChoreLists.xml Uninstall.exe; do
  [ -f "$install/$file" ] || e2e_fail "$file was not installed into $install"
done
cmp -s "$install/Tolvane.exe" "$TOLVANE_DIST_DIR/Tolvane.exe" || e2e_fail "the installed Tolvane.exe is not the program folder's"
for link in Tolvane.lnk "Tolvane Help.lnk" "Uninstall Tolvane.lnk"; do
  [ -f "$menu/$link" ] || e2e_fail "no Start Menu entry $link"
done
[ "$(e2e_reg_query "$uninstall_key" Publisher)" = "Tallowmere" ] || e2e_fail "no publisher in Apps and features"
[ "$(e2e_reg_query "$uninstall_key" DisplayVersion)" = "${TOLVANE_VERSION:-1.0.1}" ] || e2e_fail "wrong version"
[ -n "$(e2e_reg_query "$uninstall_key" EstimatedSize)" ] || e2e_fail "no size in Apps and features"
reg_has "$class_key\\InprocServer32" || e2e_fail "the companion was not registered"

# The shortcut's target, as its link information names it.
target="$(grep -a -o 'C:\\[[:print:]]*\\Tolvane\.exe' "$menu/Tolvane.lnk" | head -1)"
[ "$(winepath -u "$target" 2>/dev/null)" = "$install/Tolvane.exe" ] || e2e_fail "the shortcut points at '$target'"
(cd "$install" && exec wine "$target" </dev/null >"$E2E_WORK/tolvane.log" 2>&1) &
E2E_TOLVANE_PID=$!
e2e_wait_main_window 40
e2e_probe message Tolvane 30 | grep -q 'No chore file was found' || e2e_fail "the sample files were not offered"
e2e_probe answer Tolvane 6
e2e_wait_started
[ -f "$install/_TolvaneChores.xml" ] || e2e_fail "the sample chores were not copied"
wine reg add "$run_key" /v Tolvane /d "$target" /f </dev/null >/dev/null 2>&1

# The uninstaller starts again from a temporary folder and returns at once:
# wait for what it does.
uninstall() {  # [option]
  wine "$install/Uninstall.exe" /S ${1:+"$1"} </dev/null >/dev/null 2>&1
  for _ in $(seq 240); do
    [ ! -e "$install/Uninstall.exe" ] && ! reg_has "$uninstall_key" && return 0
    sleep 0.25
  done
  e2e_fail "the uninstaller did not finish"
}
expect_uninstalled() {  # what
  for file in Tolvane.exe TolvaneBho.dll tolvanectl.exe Tolvane.chm sample Uninstall.exe; do
    [ ! -e "$install/$file" ] || e2e_fail "$1: $file is left in $install"
  done
  [ ! -e "$menu" ] || e2e_fail "$1: the Start Menu folder is left"
  [ -z "$(e2e_reg_query "$run_key" Tolvane)" ] || e2e_fail "$1: the Run value is left"
  ! reg_has "$class_key" || e2e_fail "$1: the companion's class registration is left"
  ! reg_has "$bho_key" || e2e_fail "$1: the browser-helper-object key is left"
}

# Tolvane runs: the uninstaller closes it first.
uninstall
e2e_wait_exit 30 || e2e_fail "the uninstaller left Tolvane running"
E2E_TOLVANE_PID=""
expect_uninstalled "uninstalled while Tolvane ran"
[ -f "$install/_TolvaneChores.xml" ] && [ -f "$install/_TolvaneChoreLists.xml" ] ||
  e2e_fail "the user's chore files are gone"

# A Tolvane that did not end normally leaves the companion registered; the
# uninstaller removes the registration itself. Reinstalling keeps the
# user's chore files. A help file open in another program cannot go: the
# uninstaller says so and stays, with its entry.
wine "$E2E_WORK/TolvaneSetup.exe" /S </dev/null >/dev/null 2>&1 || e2e_fail "the second silent install failed"
reg_has "$bho_key" || e2e_fail "the reinstall did not register the companion"
wine "$E2E_WORK/e2e_probe.exe" hold "$(e2e_winpath "$install/Tolvane.chm")" "$(e2e_winpath "$E2E_WORK/release")" 120 \
  </dev/null >"$E2E_WORK/hold.out" 2>/dev/null &
holder=$!
e2e_until 20 grep -q held "$E2E_WORK/hold.out" || e2e_fail "the help file could not be held open"
wine "$install/Uninstall.exe" /S </dev/null >/dev/null 2>&1
e2e_until 60 test -f "$install/Uninstall.log" || e2e_fail "the uninstaller did not report the held help file"
grep -q 'Tolvane.chm' "$install/Uninstall.log" || e2e_fail "Uninstall.log does not name the help file"
[ -f "$install/Uninstall.exe" ] && reg_has "$uninstall_key" || e2e_fail "the uninstaller went, leaving a file behind"
[ ! -e "$install/Tolvane.exe" ] || e2e_fail "the uninstaller stopped at the held file"
touch "$E2E_WORK/release"
e2e_wait_exit 20 "$holder" || e2e_fail "the help file was not let go"

# Every kind of file the program writes goes with "remove my files"; a
# file of the user's own, and so the folder, stay.
for kind in .backup .backup-0001-20260101-120000 .damaged-20260101-120000 .kept-20260101-120000 \
  .unsaved-20260101-120000 .tolvtmp .tolvold; do
  touch "$install/_TolvaneChores.xml$kind" "$install/_TolvaneChoreLists.xml$kind"
done
touch "$install/TolvaneActivity.log" "$install/TolvaneCrash-20260101-120000.txt" "$install/my notes.txt"
uninstall /REMOVEMYFILES
expect_uninstalled "uninstalled with the companion left registered"
[ "$(ls "$install")" = "my notes.txt" ] || e2e_fail "remove my files left: $(ls "$install")"
