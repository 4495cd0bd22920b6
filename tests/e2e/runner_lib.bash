# Chore files for the chore-list runner's end-to-end tests, written in the
# files' own form (UTF-16LE, CRLF). Sourced after lib.sh.
#
# runner_write_files PROGRAM-FOLDER LIST-XML...  writes one chore "Noop"
# (a chore that does nothing) and the given <Chorelist> elements.

runner_chore_xml() {  # name type [hotKey]
  cat <<XML
<Chore name="$1">
<verb>Do nothing</verb>
<type>$2</type>
<object/>
<siteName/>
<cmdArgs/>
<initialDir/>
<procName/>
<startNew>0</startNew>
<mainWndCls/>
<mainWndTxt/>
<partialMatch>0</partialMatch>
<wndMsg>0</wndMsg>
<wParam>0</wParam>
<lParam>0</lParam>
<menuOption/>
<menuID>0</menuID>
<menuSimKey>0</menuSimKey>
<keyRepeat>1</keyRepeat>
<hitEnter>0</hitEnter>
<ctrlWndCls/>
<ctrlWndTxt/>
<notifyCode>0</notifyCode>
<newWindow>0</newWindow>
<hotKey>${3:-0}</hotKey>
<fileOpType>0</fileOpType>
<fileOpDest/>
<fileOpConfirm>0</fileOpConfirm>
</Chore>
XML
}

# runner_step compType compData timeout [hotKeyChore] [partialMatch] [choreName]
runner_step() {
  local data="<compData>$2</compData>"
  [ -z "$2" ] && data="<compData/>"
  cat <<XML
<choreName>${6:-Noop}</choreName>
<compType>$1</compType>
$data
<hotKeyChore>${4:-0}</hotKeyChore>
<partialMatch>${5:-0}</partialMatch>
<timeout>$3</timeout>
<continueOnTimeout>0</continueOnTimeout>
XML
}

# runner_list name hotKey steps-xml timeOfDay(HHMMSS or empty) nextList [repeatCount]
runner_list() {
  local time="<runTimeOfDay/>" next="<nextChorelist/>"
  [ -n "$4" ] && time="<runTimeOfDay>$4</runTimeOfDay>"
  [ -n "$5" ] && next="<nextChorelist>$5</nextChorelist>"
  cat <<XML
<Chorelist name="$1" hotKey="$2">
$3
<runWindows>0</runWindows>
$time
<runEveryday>0</runEveryday>
<runDayOfWeek/>
<runDate/>
<runPostDelay>0</runPostDelay>
<runRepeatCount>${6:-0}</runRepeatCount>
$next
<alwaysRun>0</alwaysRun>
</Chorelist>
XML
}

runner_utf16() {  # file: stdin as UTF-16LE with CRLF line ends
  sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE >"$1"
}

runner_write_files() {  # folder lists-xml
  { echo "<Chores>"; runner_chore_xml Noop 17; echo "</Chores>"; } | runner_utf16 "$1/_TolvaneChores.xml"
  { echo "<ChoreLists>"; echo "$2"; echo "</ChoreLists>"; } | runner_utf16 "$1/_TolvaneChoreLists.xml"
}

