; The QxKB installer. makensis -DQX_DEFINES=<build>/installer/defines.nsh qxkb.nsi
; Installs the program into Program Files\QxKB, a Start-menu shortcut and an Add/Remove Programs
; entry. It never touches the user's settings: Documents\QxKB Files and HKCU\SOFTWARE\QxKB belong
; to the program, so an update keeps them and so does the uninstaller.
!include "${QX_DEFINES}"
; The 64-bit installer is a 64-bit program itself: it runs where only 64-bit Windows code can
; (Wine without its 32-bit half), and it sees the 64-bit Program Files and registry natively.
!if "${QX_ARCH}" == "x64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif
!include "MUI2.nsh"
!include "FileFunc.nsh"

!define QX_UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QxKB"
!define QX_SHORTCUT "$SMPROGRAMS\QxKB.lnk"

Name "QxKB ${QX_VERSION}"
OutFile "${QX_OUTFILE}"
!if "${QX_ARCH}" == "x64"
  InstallDir "$PROGRAMFILES64\QxKB"
!else
  InstallDir "$PROGRAMFILES\QxKB"
!endif
RequestExecutionLevel admin
; Solid, with a window wide enough that the second copy of the 4.6 MB font costs nothing.
SetCompressor /SOLID lzma
SetCompressorDictSize 16
BrandingText "QxKB ${QX_VERSION} (${QX_ARCH})"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${QX_VERSION_QUAD}"
VIFileVersion "${QX_VERSION_QUAD}"
VIAddVersionKey /LANG=0 "ProductName" "QxKB"
VIAddVersionKey /LANG=0 "CompanyName" "QxKB"
VIAddVersionKey /LANG=0 "FileDescription" "QxKB ${QX_VERSION} Setup (${QX_ARCH})"
VIAddVersionKey /LANG=0 "FileVersion" "${QX_VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${QX_VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "QxKB"

!define MUI_ICON "${QX_ICON}"
!define MUI_UNICON "${QX_ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\QxKBDriver.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

; HKLM and Program Files are machine-wide: the 64-bit build writes the 64-bit registry view.
!macro QX_VIEWS
  !if "${QX_ARCH}" == "x64"
    SetRegView 64
  !endif
  SetShellVarContext all
!macroend

Function .onInit
  !insertmacro QX_VIEWS
FunctionEnd

Function un.onInit
  !insertmacro QX_VIEWS
FunctionEnd

Section "QxKB" SecProgram
  SectionIn RO
  !include "${QX_INSTALL_NSH}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut starts the program in its own folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "${QX_SHORTCUT}" "$INSTDIR\QxKBDriver.exe" "" "$INSTDIR\QxKBDriver.exe" 0

  WriteRegStr HKLM "${QX_UNINST_KEY}" "DisplayName" "QxKB"
  WriteRegStr HKLM "${QX_UNINST_KEY}" "DisplayVersion" "${QX_VERSION}"
  WriteRegStr HKLM "${QX_UNINST_KEY}" "Publisher" "QxKB"
  WriteRegStr HKLM "${QX_UNINST_KEY}" "DisplayIcon" "$INSTDIR\QxKBDriver.exe,0"
  WriteRegStr HKLM "${QX_UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${QX_UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${QX_UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${QX_UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${QX_UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${QX_UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "${QX_SHORTCUT}"
  ; Exactly the files the installer put down, folder by folder, no recursive removal.
  !include "${QX_UNINSTALL_NSH}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${QX_UNINST_KEY}"
SectionEnd
