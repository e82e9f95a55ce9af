; The Vexlo installer: per user, without administrator rights, into a folder the user can write
; to (the programs write their report, batch files and viewer beside themselves).
;
;   makensis -DVERSION=3.6 -DVERSION_QUAD=3.6.0.0 -DBIN_DIR=<programs> -DICON=<.ico>
;            -DOUT_FILE=<setup.exe> [-DAMD64] installer/vexlo.nsi
;
; The shipped installer is 32-bit. -DAMD64 builds the same installer with the 64-bit stub around
; 64-bit programs, for machines that run no 32-bit code (the acceptance run under Wine).
;
; The uninstaller removes what the installer put there and the files the programs generate
; beside themselves, and nothing else: Vexlo.cfg (written by Vexlo-config.exe), the per-user
; position and recent-project files, and anything the user keeps in the folder stay, and the
; folder stays with them.

!ifndef VERSION | VERSION_QUAD | BIN_DIR | ICON | OUT_FILE
  !error "VERSION, VERSION_QUAD, BIN_DIR, ICON and OUT_FILE must be defined"
!endif

Unicode true
!ifdef AMD64
  Target amd64-unicode
!endif
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Vexlo"
!define COMPANY "Vexlo Tools"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vexlo"
!define UNINSTALLER "Uninstall.exe"
!define MENU_FOLDER "$SMPROGRAMS\Vexlo"

; For measuring: a copy of the uninstaller the installer will write, made while building.
!ifdef UNINSTALLER_COPY
  !uninstfinalize 'cp "%1" "${UNINSTALLER_COPY}"'
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Vexlo"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "This will install Vexlo ${VERSION} for you alone, without administrator rights.$\r$\n$\r$\nVexlo.exe edits and compiles Android projects; Vexlo-config.exe finds the JDK 8, the Android SDK Tools and Apache Ant it needs, and a keystore to sign with.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; Vexlo.exe refuses to start until the configurator has written Vexlo.cfg: offer it first.
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vexlo-config.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Vexlo-config now to find the build tools"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ; An earlier installation is updated where it is, unless /D names another folder.
  StrCmp $INSTDIR "$LOCALAPPDATA\Programs\Vexlo" 0 keep
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" keep
    StrCpy $INSTDIR $0
  keep:
FunctionEnd

Section "Vexlo" main
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; Vexlo.exe writes out the viewer (and an editor) it carries only when they are missing: a
  ; copy left by an earlier version must go, so that this version writes out its own.
  Delete "$INSTDIR\Lumo.exe"
  Delete "$INSTDIR\SciTE.exe"
  File "${BIN_DIR}\Vexlo.exe"
  File "${BIN_DIR}\Vexlo-config.exe"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Vexlo.lnk" "$INSTDIR\Vexlo.exe" "" "$INSTDIR\Vexlo.exe" 0 \
    SW_SHOWNORMAL "" "Edit and compile Android projects"
  CreateShortcut "${MENU_FOLDER}\Vexlo-config.lnk" "$INSTDIR\Vexlo-config.exe" "" \
    "$INSTDIR\Vexlo-config.exe" 0 SW_SHOWNORMAL "" "Find the build tools and the keystore"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vexlo.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Deletes the failure report's link batches (bat\<number>.bat) and the folder when nothing else
; is left in it; other files there are the user's.
Function un.DeleteReportBatches
  FindFirst $0 $1 "$INSTDIR\bat\*.bat"
  loop:
    StrCmp $1 "" done
    StrCpy $2 $1 -4  ; the name without ".bat"
    StrCmp $2 "" next
    StrCpy $3 0
    digits:
      StrCpy $4 $2 1 $3
      StrCmp $4 "" numbered
      StrCmp $4 "0" digit
      StrCmp $4 "1" digit
      StrCmp $4 "2" digit
      StrCmp $4 "3" digit
      StrCmp $4 "4" digit
      StrCmp $4 "5" digit
      StrCmp $4 "6" digit
      StrCmp $4 "7" digit
      StrCmp $4 "8" digit
      StrCmp $4 "9" digit
      Goto next
    digit:
      IntOp $3 $3 + 1
      Goto digits
    numbered:
      Delete "$INSTDIR\bat\$1"
    next:
      FindNext $0 $1
      Goto loop
  done:
  FindClose $0
  RMDir "$INSTDIR\bat"
FunctionEnd

; $R1 becomes 1 when the file $R0 exists and cannot be opened for writing: a running program's
; file cannot.
Function un.InUse
  StrCpy $R1 0
  IfFileExists $R0 0 done
  ClearErrors
  FileOpen $R2 $R0 a
  IfErrors 0 +3
    StrCpy $R1 1
    Goto done
  FileClose $R2
  done:
FunctionEnd

Section "Uninstall"
  ; A program still running keeps its file: stop before anything is gone, so that the user can
  ; close it and uninstall again. Lumo.exe is written out by Vexlo.exe, which carries it.
  StrCpy $R0 "$INSTDIR\Vexlo.exe"
  Call un.InUse
  StrCmp $R1 1 in_use
  StrCpy $R0 "$INSTDIR\Vexlo-config.exe"
  Call un.InUse
  StrCmp $R1 1 in_use
  StrCpy $R0 "$INSTDIR\Lumo.exe"
  Call un.InUse
  StrCmp $R1 1 in_use
  ClearErrors
  Delete "$INSTDIR\Vexlo.exe"
  Delete "$INSTDIR\Vexlo-config.exe"
  Delete "$INSTDIR\Lumo.exe"
  IfErrors 0 programs_gone
  in_use:
    MessageBox MB_ICONSTOP|MB_OK "Please close Vexlo, Vexlo-config and Lumo, then uninstall again." /SD IDOK
    SetErrorLevel 2
    Abort
  programs_gone:
  ; Written by Vexlo.exe beside itself: the viewer and editor it carries, the failure report
  ; with its link batches, and the files of a tool run that was cut short.
  Delete "$INSTDIR\SciTE.exe"
  Delete "$INSTDIR\index.htm"
  Call un.DeleteReportBatches
  Delete "$INSTDIR\temp.bat"
  Delete "$INSTDIR\temp.txt"

  Delete "${MENU_FOLDER}\Vexlo.lnk"
  Delete "${MENU_FOLDER}\Vexlo-config.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: Vexlo.cfg and whatever the user keeps here stay, and the folder with them.
  RMDir "$INSTDIR"
SectionEnd
