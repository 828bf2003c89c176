; The Windows installer: both programs, Start menu entries, .jww opening in
; the window, and an uninstaller listed in Apps & features. Per user, under
; %LOCALAPPDATA%\Programs, so that installing needs no administrator.
; makensis is given VERSION, BIN_DIR (the built programs), SOURCE_DIR and
; OUTPUT by the build (packaging/windows/CMakeLists.txt).
; Every file it puts in the chosen folder has the product's name in its name,
; so that a README.txt, LICENSE.txt or Uninstall.exe of the user's or of
; another program in that folder is neither overwritten nor, on uninstall,
; deleted.
; A 64-bit installer for the 64-bit programs: it also runs where Windows (or
; Wine) has no 32-bit layer.
Target amd64-unicode
Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "Tintwright"
!define PROGID "Tintwright.Drawing"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; SHCNE_ASSOCCHANGED: Explorer shows the new icon and verb at once.
!define SHCNE_ASSOCCHANGED 0x08000000
!define UNINSTALLER "Tintwright-Uninstall.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "CompanyName" "${PRODUCT}"
VIAddVersionKey "LegalCopyright" "See LICENSE.txt"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

; The Apps & features entry is one per user, so there is one installation:
; an earlier one, here or in another folder, is first taken out by its own
; uninstaller, which removes just what it installed. Installing elsewhere
; thus moves Tintwright rather than orphaning the earlier copy.
Function RemoveEarlierInstallation
  ReadRegStr $R1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "UninstallString"
  ${If} $R1 == ""
  ${OrIf} $R0 == ""
    Return
  ${EndIf}
  ; UninstallString is the uninstaller's path in quotes.
  StrCpy $R2 $R0 1
  ${If} $R2 == '"'
    StrCpy $R0 $R0 "" 1
    StrCpy $R0 $R0 -1
  ${EndIf}
  ; A folder deleted by hand leaves nothing to uninstall; its entry is
  ; rewritten below.
  IfFileExists "$R0" 0 done
  DetailPrint "Uninstalling the earlier installation in $R1"
  ; _?= runs it in place and waits for it; it cannot delete itself then.
  ClearErrors
  ExecWait '"$R0" /S _?=$R1' $R2
  ${If} ${Errors}
  ${OrIf} $R2 != 0
    MessageBox MB_OK|MB_ICONSTOP "The earlier installation in $R1 could not be uninstalled; nothing was installed." /SD IDOK
    Abort
  ${EndIf}
  Delete "$R0"
  RMDir "$R1"
done:
FunctionEnd

Section
  Call RemoveEarlierInstallation
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/tintwright.exe"
  File "${BIN_DIR}/tintwright-cli.exe"
  File "/oname=Tintwright-README.txt" "${SOURCE_DIR}/README.md"
  File "/oname=Tintwright-LICENSE.txt" "${SOURCE_DIR}/LICENSE"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\tintwright.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\README.lnk" "$INSTDIR\Tintwright-README.txt"

  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "Jw_cad drawing"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\tintwright.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\tintwright.exe" "%1"'
  WriteRegStr HKCU "${CLASSES}\.jww\OpenWithProgids" "${PROGID}" ""
  ; Jw_cad's own association, when there is one, stays the default.
  ReadRegStr $0 HKCU "${CLASSES}\.jww" ""
  ReadRegStr $1 HKLM "${CLASSES}\.jww" ""
  ${If} $0 == ""
  ${AndIf} $1 == ""
    WriteRegStr HKCU "${CLASSES}\.jww" "" "${PROGID}"
  ${EndIf}
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  ${GetSize} "$INSTDIR" "/S=0K" $2 $3 $4
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tintwright.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\tintwright.exe"
  Delete "$INSTDIR\tintwright-cli.exe"
  Delete "$INSTDIR\Tintwright-README.txt"
  Delete "$INSTDIR\Tintwright-LICENSE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: files the user put there stay.
  RMDir "$INSTDIR"

  ; The menu entries, association and Apps & features entry belong to the
  ; registered installation: a stray copy elsewhere leaves them alone.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
    Return
  ${EndIf}

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\README.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  ; The .jww default only while it is still ours.
  ReadRegStr $0 HKCU "${CLASSES}\.jww" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue HKCU "${CLASSES}\.jww" ""
  ${EndIf}
  DeleteRegValue HKCU "${CLASSES}\.jww\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\.jww\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "${CLASSES}\.jww"
  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
