; The Glimmerdeck installer for Windows (x64). make-windows-packages fills in:
;   VERSION     the version shown and registered
;   STAGE       the folder of the files to install (a portable program folder)
;   UNINSTALL   an include file deleting exactly those files and folders
;   OUTFILE     the installer to write
;   ICON        the maker's icon
; It installs into Program Files for every user, adds a Start-menu entry, registers the
; project file type .psm as "Glimmerdeck.Project" opened by Glimmerdeck.exe, and writes
; an uninstaller that removes what was installed and nothing else: projects, made
; screensavers and files the maker wrote later (such as data\param.ini) stay.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmerdeck"
!define FILE_TYPE "Glimmerdeck.Project"

Name "Glimmerdeck ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Glimmerdeck"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Glimmerdeck"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Glimmerdeck"
  CreateShortcut "$SMPROGRAMS\Glimmerdeck\Glimmerdeck.lnk" "$INSTDIR\Glimmerdeck.exe"

  WriteRegStr HKLM "Software\Classes\.psm" "" "${FILE_TYPE}"
  WriteRegStr HKLM "Software\Classes\${FILE_TYPE}" "" "Glimmerdeck Project"
  WriteRegStr HKLM "Software\Classes\${FILE_TYPE}\DefaultIcon" "" "$INSTDIR\Glimmerdeck.exe,0"
  WriteRegStr HKLM "Software\Classes\${FILE_TYPE}\shell\open\command" "" '"$INSTDIR\Glimmerdeck.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Glimmerdeck"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Glimmerdeck.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; Explorer shows the new file type's icon and verb at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  !include "${UNINSTALL}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Glimmerdeck\Glimmerdeck.lnk"
  RMDir "$SMPROGRAMS\Glimmerdeck"

  ; The .psm type goes only while it is still ours (another program may have taken it).
  ReadRegStr $0 HKLM "Software\Classes\.psm" ""
  StrCmp $0 "${FILE_TYPE}" 0 +3
    DeleteRegValue HKLM "Software\Classes\.psm" ""
    DeleteRegKey /ifempty HKLM "Software\Classes\.psm"
  DeleteRegKey HKLM "Software\Classes\${FILE_TYPE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
