; The Glimmerdeck installer for Windows (x64). make-windows-packages fills in:
;   VERSION     the version shown and registered
;   STAGE       the folder of the files to install (a portable program folder, with
;               LICENSE.txt, shown on the licence page)
;   INSTALL     an include file installing those files, in sorted order
;   UNINSTALL   an include file deleting exactly those files and folders
;   SIGN        (when a certificate is given) the command that signs a program in place:
;               run on the uninstaller before it is packed and on the installer
;   OUTFILE     the installer to write
;   ICON        the maker's icon
;
; It asks no administrator rights of its own. The user chooses:
;   "for me only"  %LOCALAPPDATA%\Programs\Glimmerdeck, the Start-menu entry, the .psm
;                  file type and the Apps & Features entry in the user's own settings
;                  (HKCU); no administrator rights needed;
;   "for everyone" Program Files and HKLM; the installer starts itself again with
;                  administrator rights (the system asks) when it does not have them.
; Silent: /S installs for the user alone, or as the earlier installation of this version
; line was made; /S /CurrentUser or /S /AllUsers choose (the second needs a process with
; administrator rights). /D=FOLDER, last on the line, picks the folder.
;
; An installation over an earlier one runs the earlier uninstaller first, in place: what
; it installed goes, what the user or the maker wrote (data\param.ini, the recent projects
; and other settings in the registry) stays. The uninstaller removes what was installed
; and nothing else: projects, made screensavers and files the maker wrote later stay.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
SetDateSave off
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmerdeck"
!define FILE_TYPE "Glimmerdeck.Project"
!define PUBLISHER "The Glimmerdeck team"

Name "Glimmerdeck ${VERSION}"
OutFile "${OUTFILE}"
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif
BrandingText "Glimmerdeck ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Glimmerdeck"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Glimmerdeck ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "MIT licence; see THIRD-PARTY-NOTICES.txt for the libraries"

Var AllUsers        ; 1: for everyone, 0: for me only
Var ModeGiven       ; 1 when the command line chose the mode (the page is skipped)
Var RadioMe
Var RadioEveryone

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_LICENSEPAGE_TEXT_BOTTOM "Glimmerdeck is yours under this licence. It also holds libraries written by others: THIRD-PARTY-NOTICES.txt in its folder names each with its licence. Click I Agree to continue."
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenModeGiven
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
Page custom ModePageCreate ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Run Glimmerdeck"
!define MUI_FINISHPAGE_RUN_FUNCTION RunGlimmerdeck
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; --- the install mode ------------------------------------------------------------------

!macro SetMode UN
  Function ${UN}SetMode  ; $AllUsers chosen: folders, shell context and registry root follow
    ${If} $AllUsers == 1
      SetShellVarContext all
    ${Else}
      SetShellVarContext current
    ${EndIf}
  FunctionEnd

  Function ${UN}IsAdmin  ; pushes 1 when this process may write for every user
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
      Push 1
    ${Else}
      Push 0
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro SetMode ""
!insertmacro SetMode "un."

Function DefaultFolder
  ${If} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES64\Glimmerdeck"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Glimmerdeck"
  ${EndIf}
  ; An earlier installation of this mode is upgraded where it is.
  Call SetMode
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Function .onInit
  SetRegView 64
  StrCpy $ModeGiven 0
  StrCpy $AllUsers 0
  ; Without a choice, an earlier installation for everyone is upgraded for everyone.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $1 == ""
    StrCpy $AllUsers 1
  ${EndIf}
  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/CurrentUser" $3
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
    StrCpy $ModeGiven 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $2 "/AllUsers" $3
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    StrCpy $ModeGiven 1
  ${EndIf}
  ; /D= on the command line sets $INSTDIR before .onInit; keep it.
  StrCpy $4 $INSTDIR
  Call DefaultFolder
  ${If} $4 != ""
    StrCpy $INSTDIR $4
  ${EndIf}
  ${If} $AllUsers == 1
    Call IsAdmin
    Pop $0
    ${If} $0 != 1
      ${If} ${Silent}
        ; A silent installation for everyone cannot ask for the rights it lacks.
        SetErrorLevel 740  ; ERROR_ELEVATION_REQUIRED
        Quit
      ${EndIf}
      ${IfNot} $ModeGiven == 1
        StrCpy $AllUsers 0  ; the page offers the choice again
        Call DefaultFolder
      ${EndIf}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function SkipWhenModeGiven
  ${If} $ModeGiven == 1
    Abort
  ${EndIf}
FunctionEnd

Function ModePageCreate
  ${If} $ModeGiven == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom to install Glimmerdeck."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "Install Glimmerdeck for you alone, or for everyone who uses this computer."
  Pop $0
  ${NSD_CreateRadioButton} 10u 32u 280u 12u "For &me only (no administrator rights needed)"
  Pop $RadioMe
  ${NSD_CreateRadioButton} 10u 50u 280u 12u "For &everyone (asks for administrator rights)"
  Pop $RadioEveryone
  ${If} $AllUsers == 1
    ${NSD_Check} $RadioEveryone
  ${Else}
    ${NSD_Check} $RadioMe
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $RadioEveryone $0
  ${If} $0 == ${BST_CHECKED}
    Call IsAdmin
    Pop $1
    ${If} $1 != 1
      ; Started again with administrator rights; that installer goes on from here.
      ExecShell "runas" "$EXEPATH" "/AllUsers"
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call DefaultFolder
FunctionEnd

Function RunGlimmerdeck
  Exec '"$INSTDIR\Glimmerdeck.exe"'
FunctionEnd

; --- installing ------------------------------------------------------------------------

Section "Glimmerdeck"
  Call SetMode
  ; An earlier installation here goes first, by its own uninstaller (waited for, in place:
  ; _?= keeps it from copying itself away), so files it had and this version has not do
  ; not stay behind. It keeps what it did not install.
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    ${If} $AllUsers == 1
      ExecWait '"$INSTDIR\uninstall.exe" /S /AllUsers _?=$INSTDIR'
    ${Else}
      ExecWait '"$INSTDIR\uninstall.exe" /S /CurrentUser _?=$INSTDIR'
    ${EndIf}
    Delete "$INSTDIR\uninstall.exe"
  ${EndIf}

  !include "${INSTALL}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Glimmerdeck"
  CreateShortcut "$SMPROGRAMS\Glimmerdeck\Glimmerdeck.lnk" "$INSTDIR\Glimmerdeck.exe"

  ; SHCTX: HKLM for everyone, HKCU for the user alone (SetShellVarContext above).
  WriteRegStr SHCTX "Software\Classes\.psm" "" "${FILE_TYPE}"
  WriteRegStr SHCTX "Software\Classes\${FILE_TYPE}" "" "Glimmerdeck Project"
  WriteRegStr SHCTX "Software\Classes\${FILE_TYPE}\DefaultIcon" "" "$INSTDIR\Glimmerdeck.exe,0"
  WriteRegStr SHCTX "Software\Classes\${FILE_TYPE}\shell\open\command" "" '"$INSTDIR\Glimmerdeck.exe" "%1"'

  ${If} $AllUsers == 1
    StrCpy $0 "/AllUsers"
  ${Else}
    StrCpy $0 "/CurrentUser"
  ${EndIf}
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Glimmerdeck"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Glimmerdeck.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" $0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S $0'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ; Explorer shows the new file type's icon and verb at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; --- uninstalling ----------------------------------------------------------------------

Function un.onInit
  SetRegView 64
  ; The mode comes with the uninstall command the installer registered; an uninstaller
  ; started by hand tells it from where it lies.
  StrCpy $AllUsers 0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
  ${EndIf}
  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/CurrentUser" $3
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
  ${EndIf}
  ClearErrors
  ${GetOptions} $2 "/AllUsers" $3
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${EndIf}
  ${If} $AllUsers == 1
    Call un.IsAdmin
    Pop $0
    ${If} $0 != 1
      ${If} ${Silent}
        SetErrorLevel 740  ; ERROR_ELEVATION_REQUIRED
        Quit
      ${EndIf}
      ExecShell "runas" "$INSTDIR\uninstall.exe" "/AllUsers"
      Quit
    ${EndIf}
  ${EndIf}
  Call un.SetMode
FunctionEnd

Section "Uninstall"
  !include "${UNINSTALL}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Glimmerdeck\Glimmerdeck.lnk"
  RMDir "$SMPROGRAMS\Glimmerdeck"

  ; The .psm type goes only while it is still ours (another program may have taken it).
  ReadRegStr $0 SHCTX "Software\Classes\.psm" ""
  ${If} $0 == "${FILE_TYPE}"
    DeleteRegValue SHCTX "Software\Classes\.psm" ""
    DeleteRegKey /ifempty SHCTX "Software\Classes\.psm"
  ${EndIf}
  DeleteRegKey SHCTX "Software\Classes\${FILE_TYPE}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
