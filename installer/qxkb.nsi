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

; A running copy holds its exe and QxUI.dll open (Windows refuses to replace or delete them): ask
; its main window to exit, as the tray menu's Exit does (windows/qxkb_main_dlg.h, 1091 with 610),
; and wait up to ten seconds for its process to end. The program stores every change at once, so
; nothing of the user's is lost. Labels are local to the function the macro goes into.
!macro QX_CLOSE_RUNNING_COPY
  FindWindow $0 "" "QxKBMainDlg"
  StrCmp $0 0 qx_closed
  StrCpy $2 0
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2) i'
  ; SYNCHRONIZE: enough to wait for the end.
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3'
  SendMessage $0 1091 0 610 /TIMEOUT=5000
  StrCmp $3 0 qx_window
  System::Call 'kernel32::WaitForSingleObject(p r3, i 10000) i'
  System::Call 'kernel32::CloseHandle(p r3)'
  Goto qx_closed
  qx_window: ; no handle to wait on: wait for the window instead
  StrCpy $1 0
  qx_wait:
    IsWindow $0 0 qx_closed
    IntOp $1 $1 + 1
    IntCmp $1 100 qx_closed
    Sleep 100
    Goto qx_wait
  qx_closed:
!macroend

Function .onInit
  !insertmacro QX_VIEWS
  !insertmacro QX_CLOSE_RUNNING_COPY
FunctionEnd

Function un.onInit
  !insertmacro QX_VIEWS
  !insertmacro QX_CLOSE_RUNNING_COPY
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
