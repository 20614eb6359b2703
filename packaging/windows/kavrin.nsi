; The Windows installer: the client, its download engine, updater and crash reporter in one
; program folder, a start-menu entry and an entry in the system's list of installed programs,
; and an uninstaller that takes them away again. The build runs it (packaging/CMakeLists.txt):
;
;   makensis -DVERSION=1.0.0.1 -DSTAGE=<folder of the programs> -DOUTFILE=<setup.exe> kavrin.nsi
;
; The players' own settings and records stay where the client put them: in the program folder
; when it could write there, else in their profile (AppData), which is theirs and is left alone.
; A 64-bit installer for the 64-bit programs: Windows on x86-64 runs it without its 32-bit
; layer, and so does a Wine without its 32-bit half.
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Kavrin"
!define MAIN_WINDOW_CLASS "_SoftMainWnd_"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PRODUCT}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

LoadLanguageFile "${NSISDIR}\Contrib\Language files\SimpChinese.nlf"
; The client's own face, which every Windows since Vista has; the dialogs' default face may lack
; Chinese glyphs where the system's language is another.
SetFont "Microsoft YaHei" 9

; A running Kavrin holds its program files open: it is asked to be closed first.
!macro RefuseWhileRunning
    FindWindow $0 "${MAIN_WINDOW_CLASS}" "${PRODUCT}"
    StrCmp $0 0 +3
        MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} 正在运行，请先退出 ${PRODUCT} 再继续。" /SD IDOK
        Abort
!macroend

Function .onInit
    !insertmacro RefuseWhileRunning
FunctionEnd

Function un.onInit
    !insertmacro RefuseWhileRunning
FunctionEnd

Section "${PRODUCT}"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${STAGE}/kavrin.exe"
    File "${STAGE}/dlengine.dll"
    File "${STAGE}/AutoUpdater.exe"
    File "${STAGE}/ErrorReporter.exe"
    ; The shipped settings are the first start's; a player's own file beside an older install
    ; keeps its client id and choices.
    SetOverwrite off
    File "${STAGE}/kavrin.ini"
    SetOverwrite on
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\kavrin.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kavrin.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$INSTDIR\kavrin.exe"
    Delete "$INSTDIR\dlengine.dll"
    Delete "$INSTDIR\AutoUpdater.exe"
    Delete "$INSTDIR\ErrorReporter.exe"
    ; What the client and its updater wrote beside the programs: settings, the record of
    ; downloads, an updater being replaced, crash dumps. The downloads themselves are elsewhere.
    Delete "$INSTDIR\kavrin.ini"
    Delete "$INSTDIR\gameList.dat"
    Delete "$INSTDIR\AutoUpdater.exe_willdel"
    Delete "$INSTDIR\AutoUpdater.exe_backup"
    Delete "$INSTDIR\*.dmp"
    Delete "$INSTDIR\uninstall.exe"
    ; Not /r: a file the player put here is not ours to remove, and keeps the folder.
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
