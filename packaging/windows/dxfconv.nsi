; The Windows installer: a 64-bit Unicode NSIS installer that puts the dialog
; program, dxfconv.exe, the README and the licence into Program Files\dxfconv,
; adds Start-menu shortcuts to the dialog (and to it with --modern), an entry with the uninstaller in
; the list of installed programs, and the dialog under "Open with" for .dxf
; files without becoming their default program. An older version is
; uninstalled first; a newer one is left alone. Neither the installer nor the
; uninstaller goes ahead while a dxfconv program runs.
;
; makensis -DVERSION=0.1.0 -DFILES=DIR -DOUTFILE=INSTALLER.exe dxfconv.nsi
; DIR holds dxfconv-gui.exe, dxfconv.exe, README.txt, LICENSE and app_icon.ico.
Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include WordFunc.nsh

!define SHORTCUT_NAME "DXFからDXF変換"
; The dialog for drawings saved in R13 and later formats.
!define MODERN_SHORTCUT_NAME "DXFからDXF変換 (R13以降)"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\dxfconv"
!define APPLICATION_KEY "Software\Classes\Applications\dxfconv-gui.exe"
!define PROGID "dxfconv.dxf"
!define PROGID_KEY "Software\Classes\${PROGID}"
!define OPEN_WITH_KEY "Software\Classes\.dxf\OpenWithProgids"

Name "${SHORTCUT_NAME} (dxfconv ${VERSION})"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\dxfconv"
BrandingText "dxfconv ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "dxfconv"
VIAddVersionKey /LANG=0 "FileDescription" "${SHORTCUT_NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "The dxfconv authors"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 The dxfconv authors, MIT License"

!define MUI_ICON "${FILES}/app_icon.ico"
!define MUI_UNICON "${FILES}/app_icon.ico"
; The installer runs elevated: the dialog it offers to start goes through
; Explorer, so that it runs as the user, not as an administrator.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartDialogAsUser
!insertmacro MUI_PAGE_LICENSE "${FILES}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

LangString NewerInstalled ${LANG_JAPANESE} "dxfconv $0 がインストールされています。${VERSION} で置き換えるには、先にアンインストールしてください。"
LangString NewerInstalled ${LANG_ENGLISH} "dxfconv $0 is installed. Uninstall it first to replace it with ${VERSION}."

LangString ProgramRunning ${LANG_JAPANESE} "dxfconv が実行中です。dxfconv をすべて終了してから「再試行」を押してください。"
LangString ProgramRunning ${LANG_ENGLISH} "dxfconv is running. Close every dxfconv program, then choose Retry."

; Each dxfconv program holds this mutex while it runs (one of another user
; may show only as access denied). Installing or uninstalling over it would
; leave versions mixed or programs behind: the user is asked to close it;
; silently, or on Cancel, nothing is changed and the exit status is 2.
!macro WaitUntilNoProgramRuns
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Global\dxfconv-running") p .r0 ?e'
        Pop $1
        ${If} $0 == 0
        ${AndIf} $1 != 5
            ${ExitDo}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r0)'
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Quit
        retry:
    ${Loop}
!macroend

Function StartDialogAsUser
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\dxfconv-gui.exe"'
FunctionEnd

Function .onInit
    SetRegView 64
    SetShellVarContext all
    !insertmacro WaitUntilNoProgramRuns
    ; A version installed before: a newer one stays, an older or the same one
    ; is uninstalled in its folder, silently, before this one goes in.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == ""
    ${OrIf} $1 == ""
        Return
    ${EndIf}
    ${VersionCompare} "$0" "${VERSION}" $2
    ${If} $2 == 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(NewerInstalled)" /SD IDOK
        Abort
    ${EndIf}
    ExecWait '"$1\uninstall.exe" /S _?=$1'
    Delete "$1\uninstall.exe"
    RMDir "$1"
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "${FILES}/dxfconv-gui.exe"
    File "${FILES}/dxfconv.exe"
    File "${FILES}/README.txt"
    File "/oname=LICENSE.txt" "${FILES}/LICENSE"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${SHORTCUT_NAME}.lnk" "$INSTDIR\dxfconv-gui.exe"
    CreateShortcut "$SMPROGRAMS\${MODERN_SHORTCUT_NAME}.lnk" "$INSTDIR\dxfconv-gui.exe" "--modern"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${SHORTCUT_NAME} (dxfconv)"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\dxfconv-gui.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The dxfconv authors"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; In KiB: the three files and the uninstaller.
    SectionGetSize 0 $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

    ; "Open with": the program as an application for .dxf files and a ProgID
    ; among the extension's choices; the extension's default stays as it is.
    WriteRegStr HKLM "${APPLICATION_KEY}" "FriendlyAppName" "${SHORTCUT_NAME}"
    WriteRegStr HKLM "${APPLICATION_KEY}\SupportedTypes" ".dxf" ""
    WriteRegStr HKLM "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\dxfconv-gui.exe" "%1"'
    WriteRegStr HKLM "${PROGID_KEY}" "" "DXF"
    WriteRegStr HKLM "${PROGID_KEY}" "FriendlyTypeName" "DXF"
    WriteRegStr HKLM "${PROGID_KEY}\DefaultIcon" "" "$INSTDIR\dxfconv-gui.exe,0"
    WriteRegStr HKLM "${PROGID_KEY}\shell\open" "FriendlyAppName" "${SHORTCUT_NAME}"
    WriteRegStr HKLM "${PROGID_KEY}\shell\open\command" "" '"$INSTDIR\dxfconv-gui.exe" "%1"'
    WriteRegStr HKLM "${OPEN_WITH_KEY}" "${PROGID}" ""
    ; SHCNE_ASSOCCHANGED: Explorer reads the choices again.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
    !insertmacro WaitUntilNoProgramRuns
FunctionEnd

Section Uninstall
    Delete "$SMPROGRAMS\${SHORTCUT_NAME}.lnk"
    Delete "$SMPROGRAMS\${MODERN_SHORTCUT_NAME}.lnk"
    Delete "$INSTDIR\dxfconv-gui.exe"
    Delete "$INSTDIR\dxfconv.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "${APPLICATION_KEY}"
    DeleteRegKey HKLM "${PROGID_KEY}"
    DeleteRegValue HKLM "${OPEN_WITH_KEY}" "${PROGID}"
    DeleteRegKey /ifempty HKLM "${OPEN_WITH_KEY}"
    DeleteRegKey /ifempty HKLM "Software\Classes\.dxf"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
