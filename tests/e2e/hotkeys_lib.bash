# Shared by the hot-key end-to-end tests (hotkeys_*.sh): chore files made
# from a short description, real key presses into the test's Wine desktop,
# and waits on the activity log file.

HK_PROBE="${TOLVANE_HOTKEYS_PROBE:-$TOLVANE_BUILD_DIR/tests/win/executor/hotkeys_e2e_probe.exe}"

# Writes the program's two chore files from lines on stdin, one chore per
# line: name|type|hotKey|field=value;field=value...  (hotKey packed as
# modifiers<<16|key; fileOpSource may repeat). No chore lists.
hk_write_chores() {
  python3 -c "$(cat <<'PY'
import sys
from xml.sax.saxutils import escape
order = ["verb", "type", "object", "siteName", "cmdArgs", "initialDir", "procName", "startNew", "mainWndCls",
         "mainWndTxt", "partialMatch", "wndMsg", "wParam", "lParam", "winPos", "menuOption", "menuID", "menuSimKey",
         "keyRepeat", "hitEnter", "ctrlWndCls", "ctrlWndTxt", "notifyCode", "newWindow", "hotKey", "fileOpType",
         "fileOpDest", "fileOpConfirm"]
numbers = {"type", "startNew", "partialMatch", "wndMsg", "wParam", "lParam", "menuID", "menuSimKey", "keyRepeat",
           "hitEnter", "notifyCode", "newWindow", "hotKey", "fileOpType", "fileOpConfirm"}
out = ["<Chores>"]
for line in sys.stdin.read().splitlines():
    if not line.strip():
        continue
    name, ctype, hot, rest = (line.split("|") + [""])[:4]
    fields = {"type": ctype, "hotKey": hot, "keyRepeat": "1"}
    sources = []
    for pair in filter(None, rest.split(";")):
        key, value = pair.split("=", 1)
        if key == "fileOpSource":
            sources.append(value)
        else:
            fields[key] = value
    out.append('<Chore name="%s">' % escape(name, {'"': "&quot;"}))
    for key in order:
        if key == "winPos" and key not in fields:
            continue
        value = fields.get(key, "0" if key in numbers else "")
        out.append("<%s>%s</%s>" % (key, escape(value), key) if value != "" else "<%s/>" % key)
    for source in sources:
        out.append("<fileOpSource>")
        out.append("<fileOpSourceItem>%s</fileOpSourceItem>" % escape(source))
        out.append("</fileOpSource>")
    out.append("</Chore>")
out.append("</Chores>")
folder = sys.argv[1]
open(folder + "/_TolvaneChores.xml", "wb").write(("\r\n".join(out) + "\r\n").encode("utf-16-le"))
open(folder + "/_TolvaneChoreLists.xml", "wb").write("<ChoreLists>\r\n</ChoreLists>\r\n".encode("utf-16-le"))
PY
)" "$E2E_PROGRAM"
}

hk_probe() { wine "$HK_PROBE" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# Real key presses (not injected) into the Wine desktop, where Tolvane's
# low-level hook sees them.
hk_key() {
  local desktop
  desktop="$(e2e_focus_desktop)"
  xdotool mousemove --window "$desktop" 640 700
  xdotool key --clearmodifiers "$1"
  sleep 0.3
}

# Fails if the text shows up more than `count` times within a second.
hk_expect_no_more() {  # text count
  sleep 1
  [ "$(e2e_activity_count "$1")" -le "$2" ] || e2e_fail "unexpected '$1' in the activity log"
}

hk_start() {
  e2e_set_setting doActivityLog 1
  e2e_set_setting exitSystray 0
  e2e_start_tolvane
  e2e_wait_main_window 40
  e2e_wait_activity_line "Tolvane at your service..." 1 20
}
