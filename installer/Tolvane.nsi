; TolvaneSetup.exe: installs the program folder (build/windows/dist) for the
; current user, in that user's own programs folder, without elevation.
;
; Tolvane keeps the user's chore files, their backups and its logs in its
; program folder, so that folder must stay writable: under Program Files a
; standard user could not save a single chore. A per-user install in
; %LOCALAPPDATA%\Programs\Tolvane keeps it writable and needs no
; administrator, and a copy unzipped into any writable folder works the
; same way.
;
; makensis -DVERSION=1.0.1 -DFILE_VERSION=1.0.0.1 -DDIST=<dist folder>
;          -DICON=<tolvane.ico> -DOUTFILE=<TolvaneSetup.exe> Tolvane.nsi

!macro REQUIRE_DEFINE name
  !ifndef ${name}
    !error "makensis needs -D${name}=..."
  !endif
!macroend
!insertmacro REQUIRE_DEFINE VERSION
!insertmacro REQUIRE_DEFINE FILE_VERSION
!insertmacro REQUIRE_DEFINE DIST
!insertmacro REQUIRE_DEFINE ICON
!insertmacro REQUIRE_DEFINE OUTFILE

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define SETTINGS_KEY "Software\Tallowmere\Tolvane"
!define BHO_CLSID "{6F2D8A41-93B7-4C5E-A1D0-7E4B2C9F5A13}"
; The main window's "Exit the program now" command: Tolvane saves what it
; has to save and ends, as when the user exits it.
!define ID_TRAY_EXIT 1085

Name "Tolvane"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tolvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tallowmere Tolvane ${VERSION}"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey "ProductName" "Tolvane"
VIAddVersionKey "CompanyName" "Tallowmere"
VIAddVersionKey "FileDescription" "Tolvane Setup"
VIAddVersionKey "FileVersion" "${FILE_VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Tallowmere"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_DIRECTORYPAGE_TEXT_TOP "Tolvane keeps your chore files, their backups and its logs in the folder it is installed in, so choose a folder you can write to. The proposed folder is your own programs folder; installing there needs no administrator."
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolderIsWritable
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tolvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Tolvane now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Tolvane will be removed. Your chore files, their backups, the logs and your settings are kept unless you tick the box below."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; What the uninstaller could not remove, one a line; while it holds
; anything, the uninstaller and its "Apps and features" entry stay.
Var Unremoved
; Files renamed aside for the next logon's RunOnce to remove.
Var RemovedLater

; Waits until Tolvane has ended, closing it first: asked when the user
; watches, at once in silent mode. Its single-instance mutex "__Tolvane_"
; tells whether it still runs.
!macro CLOSE_RUNNING_TOLVANE prefix
Function ${prefix}CloseRunningTolvane
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "__Tolvane_") p .r0'
  ${If} $0 P= 0
    Return
  ${EndIf}
  System::Call 'kernel32::CloseHandle(p r0)'
  ${IfNot} ${Silent}
    MessageBox MB_OKCANCEL|MB_ICONQUESTION "Tolvane is running and must be closed first.$\n$\nIt saves your chores as it does when you exit it. Close Tolvane now?" IDOK close
    Abort "Tolvane is still running."
  ${EndIf}
close:
  ; The main window is the dialog titled "Tolvane" that has a menu bar;
  ; message boxes captioned "Tolvane" have none.
  StrCpy $1 0
find_window:
  FindWindow $1 "#32770" "Tolvane" "" $1
  ${If} $1 <> 0
    System::Call 'user32::GetMenu(p r1) p .r2'
    StrCmp $2 0 find_window
    SendMessage $1 ${WM_COMMAND} ${ID_TRAY_EXIT} 0 /TIMEOUT=2000
  ${EndIf}
  StrCpy $3 0
wait_for_end:
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "__Tolvane_") p .r0'
  ${If} $0 P= 0
    Return
  ${EndIf}
  System::Call 'kernel32::CloseHandle(p r0)'
  Sleep 250
  IntOp $3 $3 + 1
  IntCmp $3 120 0 wait_for_end
  ${IfNot} ${Silent}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Tolvane has not closed. It may be asking you something; answer it and click Retry." IDRETRY close
  ${EndIf}
  Abort "Tolvane did not close."
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_TOLVANE ""
!insertmacro CLOSE_RUNNING_TOLVANE "un."

Function CheckFolderIsWritable
  StrCpy $1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $1 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\TolvaneWriteTest.tmp" w
  ${If} ${Errors}
    ${If} $1 = 1
      RMDir "$INSTDIR"
    ${EndIf}
    MessageBox MB_OK|MB_ICONEXCLAMATION "You cannot write to $INSTDIR.$\n$\nTolvane keeps your chore files there, so choose a folder you can write to, such as $LOCALAPPDATA\Programs\Tolvane."
    Abort
  ${EndIf}
  FileClose $0
  Delete "$INSTDIR\TolvaneWriteTest.tmp"
  ${If} $1 = 1
    RMDir "$INSTDIR"
  ${EndIf}
FunctionEnd

; Tolvane unregisters the companion when it ends, but a Tolvane that did
; not end normally leaves the registration behind. The companion refuses to
; load into the uninstaller, so its registration is removed key by key:
; the keys its DllRegisterServer writes and its type library's entries.
Function un.RemoveCompanionRegistration
  DeleteRegKey HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\Browser Helper Objects\${BHO_CLSID}"
  DeleteRegKey HKCR "CLSID\${BHO_CLSID}"
  DeleteRegKey HKCR "TolvaneBho.expWatch.1"
  DeleteRegKey HKCR "TolvaneBho.expWatch"
  DeleteRegKey HKCR "AppID\{A94C1E27-5B3D-4F80-9C6A-2D71E8B0F546}"
  DeleteRegKey HKCR "AppID\TolvaneBho.DLL"
  DeleteRegKey HKCR "TypeLib\{1C8E5F93-7A24-4D6B-B3F1-8E05A9C2D7E4}"
  DeleteRegKey HKCR "Interface\{E5B7293D-04C8-4A1F-8D62-C3F9B1A0E7D8}"
FunctionEnd

Section "Tolvane"
  SectionIn RO
  Call CloseRunningTolvane

  SetOutPath "$INSTDIR"
  File "${DIST}\Tolvane.exe"
  File "${DIST}\TolvaneBho.dll"
  File "${DIST}\tolvanectl.exe"
  File "${DIST}\Tolvane.chm"
  SetOutPath "$INSTDIR\sample"
  File "${DIST}\sample\_TolvaneChores.xml"
  File "${DIST}\sample\_TolvaneChoreLists.xml"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The companion accepts only hosts whose path names Tolvane (or Explorer
  ; while Tolvane runs), so it is registered from inside this installer,
  ; TolvaneSetup.exe, rather than by regsvr32.
  ClearErrors
  RegDLL "$INSTDIR\TolvaneBho.dll"
  ${If} ${Errors}
    DetailPrint "The Explorer companion was not registered now; Tolvane registers it each time it starts."
  ${EndIf}

  CreateDirectory "$SMPROGRAMS\Tolvane"
  CreateShortcut "$SMPROGRAMS\Tolvane\Tolvane.lnk" "$INSTDIR\Tolvane.exe" "" "$INSTDIR\Tolvane.exe" 0
  CreateShortcut "$SMPROGRAMS\Tolvane\Tolvane Help.lnk" "$INSTDIR\Tolvane.chm"
  CreateShortcut "$SMPROGRAMS\Tolvane\Uninstall Tolvane.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tolvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tallowmere"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tolvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes the file $R0. A file in use cannot be deleted, but on Windows a
; loaded one (the companion in Explorer) can be renamed: it goes aside and
; a per-user RunOnce entry removes it at the next logon, since deleting at
; restart needs an administrator. Anything else is noted in $Unremoved.
Function un.RemoveFile
  ClearErrors
  Delete "$R0"
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ClearErrors
  Rename "$R0" "$R0.tolvdel"
  ${If} ${Errors}
    StrCpy $Unremoved "$Unremoved$R0$\r$\n"
    Return
  ${EndIf}
  IntOp $RemovedLater $RemovedLater + 1
  WriteRegStr HKCU "${RUNONCE_KEY}" "Tolvane cleanup $RemovedLater" '"$SYSDIR\cmd.exe" /c del /f /q "$R0.tolvdel"'
FunctionEnd

; The files named $R0, which may hold wildcards, by name only: the user
; may have installed into any folder, so the folder itself is never
; removed with what is in it.
Function un.RemoveUserFiles
  ClearErrors
  Delete "$R0"
  ${If} ${Errors}
    StrCpy $Unremoved "$Unremoved$R0$\r$\n"
  ${EndIf}
FunctionEnd

!macro REMOVE function path
  StrCpy $R0 "${path}"
  Call ${function}
!macroend

Section "un.Tolvane" UnProgram
  SectionIn RO
  Call un.CloseRunningTolvane
  StrCpy $Unremoved ""
  StrCpy $RemovedLater 0
  Delete "$INSTDIR\Uninstall.log"

  Call un.RemoveCompanionRegistration
  DeleteRegValue HKCU "${RUN_KEY}" "Tolvane"

  !insertmacro REMOVE un.RemoveFile "$SMPROGRAMS\Tolvane\Tolvane.lnk"
  !insertmacro REMOVE un.RemoveFile "$SMPROGRAMS\Tolvane\Tolvane Help.lnk"
  !insertmacro REMOVE un.RemoveFile "$SMPROGRAMS\Tolvane\Uninstall Tolvane.lnk"
  RMDir "$SMPROGRAMS\Tolvane"

  !insertmacro REMOVE un.RemoveFile "$INSTDIR\Tolvane.exe"
  !insertmacro REMOVE un.RemoveFile "$INSTDIR\TolvaneBho.dll"
  !insertmacro REMOVE un.RemoveFile "$INSTDIR\tolvanectl.exe"
  !insertmacro REMOVE un.RemoveFile "$INSTDIR\Tolvane.chm"
  !insertmacro REMOVE un.RemoveFile "$INSTDIR\sample\_TolvaneChores.xml"
  !insertmacro REMOVE un.RemoveFile "$INSTDIR\sample\_TolvaneChoreLists.xml"
  RMDir "$INSTDIR\sample"
SectionEnd

!macro REMOVE_CHORE_FILE base
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\${base}"
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\${base}.backup"
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\${base}.backup-*"
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\${base}.damaged-*"
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\${base}.kept-*"
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\${base}.unsaved-*"
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\${base}*.tolvtmp"
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\${base}*.tolvold"
!macroend

Section /o "un.My chore files and logs" UnUserData
  !insertmacro REMOVE_CHORE_FILE "_TolvaneChores.xml"
  !insertmacro REMOVE_CHORE_FILE "_TolvaneChoreLists.xml"
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\TolvaneActivity.log"
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\TolvaneCrash*.dmp"
  !insertmacro REMOVE un.RemoveUserFiles "$INSTDIR\TolvaneCrash*.txt"
  Delete "C:\Tallowmere-TolvaneDebug.log"
  ; Where the root of drive C: is closed to the user, the debug log is here.
  Delete "$LOCALAPPDATA\Tallowmere\Tolvane\Tallowmere-TolvaneDebug.log"
  RMDir "$LOCALAPPDATA\Tallowmere\Tolvane"
  RMDir "$LOCALAPPDATA\Tallowmere"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Tallowmere"
SectionEnd

; The uninstaller and its entry go last, and only when everything else
; went: otherwise they stay, so that it can be run again, and it says what
; is left: a box, or with /S Uninstall.log in the program folder and exit
; code 2 (of the copy that does the work, which "_?=" makes the caller's).
Section "-un.Finish"
  ${If} $Unremoved == ""
    Delete "$INSTDIR\Uninstall.exe"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Only an empty folder goes: the user's own files keep it.
    RMDir "$INSTDIR"
  ${Else}
    FileOpen $0 "$INSTDIR\Uninstall.log" w
    FileWrite $0 "Tolvane could not remove these files:$\r$\n$Unremoved"
    FileClose $0
    SetErrorLevel 2
    ${IfNot} ${Silent}
      MessageBox MB_OK|MB_ICONEXCLAMATION "Tolvane could not remove these files:$\r$\n$\r$\n$Unremoved$\r$\nClose the programs that use them and run the uninstaller again from Apps and features."
    ${EndIf}
  ${EndIf}
SectionEnd

; "Uninstall.exe /S /REMOVEMYFILES" also removes the user's files, as the
; box on the components page does.
Function un.onInit
  ${GetOptions} $CMDLINE "/REMOVEMYFILES" $0
  ${IfNot} ${Errors}
    SectionSetFlags ${UnUserData} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnProgram} "The program, its help, its Explorer companion and its Start Menu entries."
  !insertmacro MUI_DESCRIPTION_TEXT ${UnUserData} "Also your chore files, their backups and the copies kept aside, the activity and debug logs, crash reports and your settings."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
