; The setup program of quadrosx for Windows, made by scripts/windows-build:
;   makensis -DSTAGE=<folder with the files> -DFILES=<files.nsh> -DOUTFILE=<setup.exe> quadrosx.nsi
; FILES holds one "File" line per installed file and the matching "Delete" lines (macros
; InstallFiles and RemoveFiles), so that the uninstaller removes exactly what was installed and
; nothing else of the folder, which is usually the suite's own programs folder.
; The suite's settings (HKCU\Software\TARVESSI\ZAVIRTEN) are read, never written.

; A 64-bit setup: the program is 64-bit, and Wine here runs 64-bit programs only.
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"
!include "${FILES}"

Name "quadrosx"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

; The suite's programs folder when the suite names one, else Program Files.
InstallDir "$PROGRAMFILES64\quadrosx"
InstallDirRegKey HKCU "Software\TARVESSI\ZAVIRTEN" "PERCORSOPROGRAMMI"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\quadrosx"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "quadrosx richiede Windows a 64 bit."
        Abort
    ${EndIf}
    SetRegView 64
FunctionEnd

Section "quadrosx"
    SetOutPath "$INSTDIR"
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\quadrosx-uninstall.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "quadrosx"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\quadrosx-uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\quadrosx-uninstall.exe" /S'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "Uninstall"
    !insertmacro RemoveFiles
    Delete "$INSTDIR\quadrosx-uninstall.exe"
    ; Only folders left empty go; the suite's own folder keeps whatever else it holds.
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
