; The Windows installer: for the current user, without administrator rights,
; into the user's own programs folder; for every user when started as an
; administrator. makensis is given VERSION, STAGE (the folder with the programs
; and help pages), ICON and OUTFILE on its command line by scripts/windows.sh.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Notarion"
!define LIST_FILE_CLASS "Notarion.ListaSprawozdan"

Name "Notarion ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Notarion"
BrandingText "Notarion ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\notarion.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Polish"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_POLISH} "ProductName" "Notarion"
VIAddVersionKey /LANG=${LANG_POLISH} "FileDescription" "Instalator programu Notarion"
VIAddVersionKey /LANG=${LANG_POLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_POLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_POLISH} "CompanyName" "OrvApp"
VIAddVersionKey /LANG=${LANG_POLISH} "LegalCopyright" "OrvApp"

; An administrator installs for everyone; anyone else for themselves, which
; is what a school's locked-down desktop allows.
!macro ChooseWhoFor
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

Function .onInit
  !insertmacro ChooseWhoFor
  ${If} $0 == "Admin"
    StrCpy $INSTDIR "$PROGRAMFILES64\Notarion"
  ${EndIf}
FunctionEnd

Section "Notarion"
  SetOutPath "$INSTDIR"
  File "${STAGE}\notarion.exe"
  File "${STAGE}\notarion-cli.exe"
  File "${STAGE}\notarion-cli-pdf.exe"
  SetOutPath "$INSTDIR\Pomoc"
  File "${STAGE}\Pomoc\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\odinstaluj.exe"

  CreateShortCut "$SMPROGRAMS\Notarion.lnk" "$INSTDIR\notarion.exe"
  CreateShortCut "$SMPROGRAMS\Edytor sprawozdań.lnk" "$INSTDIR\notarion.exe" "--edytor" \
    "$INSTDIR\notarion.exe" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Notarion"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "OrvApp"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\notarion.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\odinstaluj.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\odinstaluj.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

  ; A saved list of reports opens in Notarion with a double click. The
  ; association is the user's own, so it needs no administrator.
  WriteRegStr HKCU "Software\Classes\.xmp" "" "${LIST_FILE_CLASS}"
  WriteRegStr HKCU "Software\Classes\${LIST_FILE_CLASS}" "" "Lista sprawozdań programu Notarion"
  WriteRegStr HKCU "Software\Classes\${LIST_FILE_CLASS}\DefaultIcon" "" "$INSTDIR\notarion.exe,0"
  WriteRegStr HKCU "Software\Classes\${LIST_FILE_CLASS}\shell\open\command" "" \
    '"$INSTDIR\notarion.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Function un.onInit
  !insertmacro ChooseWhoFor
FunctionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Notarion.lnk"
  Delete "$SMPROGRAMS\Edytor sprawozdań.lnk"
  Delete "$INSTDIR\notarion.exe"
  Delete "$INSTDIR\notarion-cli.exe"
  Delete "$INSTDIR\notarion-cli-pdf.exe"
  RMDir /r "$INSTDIR\Pomoc"
  Delete "$INSTDIR\odinstaluj.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  ; Only our own association is undone: another program's claim on .xmp stays.
  ReadRegStr $1 HKCU "Software\Classes\.xmp" ""
  ${If} $1 == "${LIST_FILE_CLASS}"
    DeleteRegKey HKCU "Software\Classes\.xmp"
  ${EndIf}
  DeleteRegKey HKCU "Software\Classes\${LIST_FILE_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
