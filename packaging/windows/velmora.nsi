; The Windows installer: Velmora into Program Files, a Start-menu shortcut, and an uninstaller
; that takes away exactly what was installed. Runs silently with /S.
; makensis -DVERSION=0.1.0 -DSTAGE=<installed folder> -DFILE_LIST=<its uninstall lines> -DICON=velmora.ico
;          -DOUTFILE=<setup.exe> velmora.nsi (scripts/package-windows)
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"

Name "Velmora"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velmora"
InstallDirRegKey HKLM "Software\Velmora" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "Velmora ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Velmora"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Velmora 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "The Velmora developers"

Function .onInit
    ; Program Files of the 64-bit system, whose registry view the uninstaller's entry belongs to.
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Velmora"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Velmora.lnk" "$INSTDIR\velmora.exe"
    WriteRegStr HKLM "Software\Velmora" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velmora"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmora.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Velmora developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: a folder chosen by the user that holds other files keeps
; them, and the folder itself stays until it is empty.
Section "Uninstall"
    !include "${FILE_LIST}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Velmora.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\Velmora"
SectionEnd
