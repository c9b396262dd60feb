# Zirel's setup program and its uninstaller: a per-user install (no administrator rights) into
# %LOCALAPPDATA%\Programs\Zirel that makes Zirel the user's screen saver and can be removed from
# "Apps & features". installer/CMakeLists.txt defines ZIREL_VERSION, ZIREL_VERSION_NUMBERS,
# ZIREL_DIST, ZIREL_ICON and ZIREL_SETUP from the project.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
# The packed files carry no dates (they are dated as they are installed), so two builds of one
# commit write the same setup program.
SetDateSave off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zirel"
!define DESKTOP_KEY "Control Panel\Desktop"
# SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, on, 0, SPIF_SENDCHANGE): tells the running
# system that the user's saver changed.
!define TELL_SAVER_CHANGED "user32::SystemParametersInfoW(i 17, i r0, p 0, i 2)"

Name "Zirel"
OutFile "${ZIREL_SETUP}"
InstallDir "$LOCALAPPDATA\Programs\Zirel"
# An update goes where the installed copy is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Zirel ${ZIREL_VERSION}"
# The uninstaller's only choice, the settings, takes no space.
SpaceTexts none

Var OldLauncher  # the installed Zirel.scr moved aside during an update, or ""

!define MUI_ICON "${ZIREL_ICON}"
!define MUI_UNICON "${ZIREL_ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "$(Welcome)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSaverSettings)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenSaverSettings
!insertmacro MUI_PAGE_FINISH

# Checked components are removed; the settings are unchecked, so they stay unless asked.
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

# The pages speak the system's language where it is Japanese, else English.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString Welcome ${LANG_ENGLISH} "This installs the Zirel screen saver ${ZIREL_VERSION} for you alone and makes it your screen saver. No administrator rights are needed.$\r$\n$\r$\nFolder:$\r$\n$INSTDIR$\r$\n$\r$\nClick Install to start."
LangString Welcome ${LANG_JAPANESE} "Zirel スクリーンセーバー ${ZIREL_VERSION} をこのユーザー用にインストールし、いまのスクリーンセーバーにします。管理者の権限は要りません。$\r$\n$\r$\nフォルダー:$\r$\n$INSTDIR$\r$\n$\r$\n[インストール] をクリックすると始まります。"
LangString OpenSaverSettings ${LANG_ENGLISH} "Open the screen saver settings"
LangString OpenSaverSettings ${LANG_JAPANESE} "スクリーンセーバーの設定を開く"
LangString InUse ${LANG_ENGLISH} "Zirel in $INSTDIR could not be updated: its files are in use. Nothing was changed."
LangString InUse ${LANG_JAPANESE} "$INSTDIR の Zirel のファイルが使用中のため、更新できませんでした。何も変更していません。"
LangString Running ${LANG_ENGLISH} "Zirel is running (the screen saver, or its preview in the screen saver settings). Close it, then click Retry."
LangString Running ${LANG_JAPANESE} "Zirel が動いています (スクリーンセーバー、またはスクリーンセーバーの設定のプレビュー)。閉じてから [再試行] をクリックしてください。"
LangString Settings ${LANG_ENGLISH} "My settings (Zirel.ini)"
LangString Settings ${LANG_JAPANESE} "設定 (Zirel.ini)"

VIProductVersion ${ZIREL_VERSION_NUMBERS}
VIFileVersion ${ZIREL_VERSION_NUMBERS}
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Zirel"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${ZIREL_VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${ZIREL_VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Zirel setup"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "Zirel"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Zirel"

# $1 = 1 when the path in $0 names the installed Zirel.scr, in its long or its 8.3 form.
!macro DEFINE_NAMES_OURS un
Function ${un}NamesOurs
  StrCpy $1 0
  GetFullPathName /SHORT $2 $0
  GetFullPathName /SHORT $3 "$INSTDIR\Zirel.scr"
  ${If} $2 != ""
  ${AndIf} $2 == $3
    StrCpy $1 1
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_NAMES_OURS ""
!insertmacro DEFINE_NAMES_OURS "un."

# Moves $INSTDIR\$0 aside to a free name, kept in $1 ("" where there was no such file); the error
# flag says that it could not be moved.
Function MoveAside
  StrCpy $1 ""
  ClearErrors
  ${IfNot} ${FileExists} "$INSTDIR\$0"
    Return
  ${EndIf}
  StrCpy $2 0
  ${Do}
    IntOp $2 $2 + 1
    StrCpy $1 "$INSTDIR\$0.$2.old"
  ${LoopWhile} ${FileExists} $1
  Rename "$INSTDIR\$0" $1
FunctionEnd

Function OpenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "-Zirel"
  SetOutPath "$INSTDIR"
  # The new programs come in under other names first, so the installed copy stays whole until
  # both are there.
  File "/oname=Zirel.scr.new" "${ZIREL_DIST}/Zirel.scr"
  File "/oname=Zirel.dll.new" "${ZIREL_DIST}/Zirel.dll"
  # NOTE: a program that runs (a preview in the screen saver settings) can be renamed, not
  # replaced: the installed ones move aside and keep running, the new ones take their names and
  # are what starts next.
  StrCpy $0 "Zirel.scr"
  Call MoveAside
  StrCpy $OldLauncher $1
  ${IfNot} ${Errors}
    StrCpy $0 "Zirel.dll"
    Call MoveAside
    ${If} ${Errors}
    ${AndIf} $OldLauncher != ""
      Rename $OldLauncher "$INSTDIR\Zirel.scr"
      SetErrors
    ${EndIf}
  ${EndIf}
  ${If} ${Errors}
    Delete "$INSTDIR\Zirel.scr.new"
    Delete "$INSTDIR\Zirel.dll.new"
    MessageBox MB_OK|MB_ICONSTOP "$(InUse)" /SD IDOK
    Abort "$(InUse)"
  ${EndIf}
  Rename "$INSTDIR\Zirel.scr.new" "$INSTDIR\Zirel.scr"
  Rename "$INSTDIR\Zirel.dll.new" "$INSTDIR\Zirel.dll"
  # Copies that still run stay until the next update or the uninstaller.
  Delete "$INSTDIR\*.old"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  # The saver to restore at uninstall is the one before Zirel's first install.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  Call NamesOurs
  ${If} $1 != 1
    WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousSaver" $0
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousSaverActive" $0
  ${EndIf}
  # Windows starts the saver on idle by this path, in the 8.3 form, as its own settings write it:
  # a path with blanks (a user name with one) could not start otherwise.
  GetFullPathName /SHORT $0 "$INSTDIR\Zirel.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  StrCpy $0 1
  System::Call "${TELL_SAVER_CHANGED}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zirel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${ZIREL_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Zirel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "https://zirel.example/"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zirel.scr"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

# $0 = 1 when `file` exists but cannot be opened for writing: it runs.
!macro CHECK_RUNNING file
  ${If} ${FileExists} "${file}"
    ClearErrors
    FileOpen $1 "${file}" a
    ${If} ${Errors}
      StrCpy $0 1
    ${Else}
      FileClose $1
    ${EndIf}
  ${EndIf}
!macroend

# $0 = 1 while a program of the folder runs, or a copy that an update moved aside still does.
Function un.Running
  StrCpy $0 0
  Delete "$INSTDIR\*.old"
  ${If} ${FileExists} "$INSTDIR\*.old"
    StrCpy $0 1
  ${EndIf}
  !insertmacro CHECK_RUNNING "$INSTDIR\Zirel.scr"
  !insertmacro CHECK_RUNNING "$INSTDIR\Zirel.dll"
FunctionEnd

Section "un.Zirel"
  SectionIn RO
  # Nothing changes while a program of the folder runs.
  retry:
  Call un.Running
  ${If} $0 == 1
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(Running)" /SD IDCANCEL IDRETRY retry
    Abort "$(Running)"
  ${EndIf}

  # The saver before Zirel comes back, unless the user has chosen another since.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  Call un.NamesOurs
  ${If} $1 == 1
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "PreviousSaver"
    ${If} $0 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
    ${EndIf}
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "PreviousSaverActive"
    ${If} $0 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $0
    ${EndIf}
    System::Call "${TELL_SAVER_CHANGED}"
  ${EndIf}
  Delete "$INSTDIR\Zirel.scr"
  Delete "$INSTDIR\Zirel.dll"
  Delete "$INSTDIR\Uninstall.exe"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.$(Settings)"
  Delete "$INSTDIR\Zirel.ini"
  Delete "$APPDATA\Zirel\Zirel.ini"
  RMDir "$APPDATA\Zirel"
SectionEnd

Section "-un.Folder"
  # Settings kept from beside the programs become the user's own file, which the programs read in
  # their place; where that one exists already, it is the one in use and stays as it is.
  ${If} ${FileExists} "$INSTDIR\Zirel.ini"
  ${AndIfNot} ${FileExists} "$APPDATA\Zirel\Zirel.ini"
    CreateDirectory "$APPDATA\Zirel"
    CopyFiles /SILENT "$INSTDIR\Zirel.ini" "$APPDATA\Zirel\Zirel.ini"
  ${EndIf}
  ${If} ${FileExists} "$APPDATA\Zirel\Zirel.ini"
    Delete "$INSTDIR\Zirel.ini"
  ${EndIf}
  RMDir "$INSTDIR"
SectionEnd
