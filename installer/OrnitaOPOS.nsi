; The installer of the Ornita OPOS driver suite, built by tools/installer twice:
;   OrnitaOPOS-setup.exe      (x86-unicode): 32-bit files on 32-bit Windows, both
;                              architectures on 64-bit Windows;
;   OrnitaOPOS-setup-x64.exe  (amd64-unicode, ORN_X64 defined): 64-bit files only.
; Each architecture goes where Windows expects it, its OrnDriver.dll is registered by the
; regsvr32 of its own architecture (so in its own registry view), and the OPOS device key
; is written in every view whose service object is installed.
;
; Defines given by tools/installer: ORN_VERSION (a.b.c.d), ORN_STAGE (the staged files:
; x86\, x64\, Samples\, Guide\ (the integrator's guide, HTML), ReadMe.txt),
; ORN_DEVICE_VALUES (the generated device-key values), ORN_OUTFILE.
;
; Command line (silent: /S): /COM=N (1..32, default 1), /BAUD=N (default 115200),
; /OVERWRITE (replace the values of an existing device key), /D=folder (last).
; The uninstaller: /S, /REMOVECONFIG (also the device key, the log settings and the log).

Unicode true
!ifdef ORN_X64
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma
ManifestSupportedOS all
RequestExecutionLevel admin

!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include x64.nsh
!include MUI2.nsh
!include nsDialogs.nsh

!define ORN_PRODUCT "Ornita OPOS"
!define ORN_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OrnitaOPOS"
!define ORN_START_MENU "$SMPROGRAMS\Ornita OPOS"

Name "${ORN_PRODUCT} ${ORN_VERSION}"
BrandingText "${ORN_PRODUCT} ${ORN_VERSION}"
OutFile "${ORN_OUTFILE}"
!ifdef ORN_X64
  InstallDir "$PROGRAMFILES64\Ornita\OPOS"
!else
  InstallDir "$PROGRAMFILES32\Ornita\OPOS"
!endif
InstallDirRegKey HKLM "${ORN_UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${ORN_VERSION}"
VIAddVersionKey /LANG=1049 "ProductName" "${ORN_PRODUCT}"
VIAddVersionKey /LANG=1049 "CompanyName" "Ornita"
VIAddVersionKey /LANG=1049 "LegalCopyright" "© Ornita"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка OPOS драйвера ФР"
VIAddVersionKey /LANG=1049 "FileVersion" "${ORN_VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${ORN_VERSION}"

; The 64-bit files of the 32-bit setup on 64-bit Windows (the x64 setup's are in $INSTDIR).
Var OrnDir64

!include "DeviceKey.nsh"
!include "DevicePage.nsh"
!include "Registration.nsh"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom OrnDevicePageShow OrnDevicePageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
  SetShellVarContext all
  StrCpy $OrnDir64 ""
  !ifndef ORN_X64
    ${If} ${RunningX64}
      StrCpy $OrnDir64 "$PROGRAMFILES64\Ornita\OPOS"
    ${EndIf}
  !endif
  Call OrnRefuseOtherSetup
  Call OrnReadOptions
FunctionEnd

; The two setups share the 64-bit folder: one installed by the other setup is removed with
; that setup's uninstaller first.
Function OrnRefuseOtherSetup
  !ifdef ORN_X64
    ReadRegStr $0 HKLM32 "${ORN_UNINSTALL_KEY}" "InstallLocation"
    StrCpy $1 "OrnitaOPOS-setup.exe"
  !else
    StrCpy $0 ""
    ${If} ${RunningX64}
      ReadRegStr $0 HKLM64 "${ORN_UNINSTALL_KEY}" "InstallLocation"
    ${EndIf}
    StrCpy $1 "OrnitaOPOS-setup-x64.exe"
  !endif
  ${If} $0 != ""
    MessageBox MB_OK|MB_ICONSTOP "${ORN_PRODUCT} уже установлен программой $1 в $0. Сначала удалите его." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

; The files of one architecture and its registration.
!macro OrnInstallBinaries DIR ARCH
  SetOutPath "${DIR}"
  File "${ORN_STAGE}\${ARCH}\OrnDriver.dll"
  File "${ORN_STAGE}\${ARCH}\OrnComm.dll"
  File "${ORN_STAGE}\${ARCH}\OrnBench.exe"
  File "${ORN_STAGE}\${ARCH}\ornfr.exe"
!macroend

Section "Install"
  !ifdef ORN_X64
    !insertmacro OrnInstallBinaries "$INSTDIR" x64
    !insertmacro OrnRegisterNative "$INSTDIR"
  !else
    !insertmacro OrnInstallBinaries "$INSTDIR" x86
    !insertmacro OrnRegisterNative "$INSTDIR"
    ${If} $OrnDir64 != ""
      !insertmacro OrnInstallBinaries "$OrnDir64" x64
      !insertmacro OrnRegister64From32 "$OrnDir64"
    ${EndIf}
  !endif

  SetOutPath "$INSTDIR"
  File "${ORN_STAGE}\ReadMe.txt"
  SetOutPath "$INSTDIR\Samples"
  File "${ORN_STAGE}\Samples\*.vbs"
  SetOutPath "$INSTDIR\Guide"
  File "${ORN_STAGE}\Guide\*.html"
  SetOutPath "$INSTDIR"

  Call OrnWriteDeviceKeys

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${ORN_UNINSTALL_KEY}" "DisplayName" "${ORN_PRODUCT}"
  WriteRegStr HKLM "${ORN_UNINSTALL_KEY}" "DisplayVersion" "${ORN_VERSION}"
  WriteRegStr HKLM "${ORN_UNINSTALL_KEY}" "Publisher" "Ornita"
  WriteRegStr HKLM "${ORN_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${ORN_UNINSTALL_KEY}" "InstallLocation64" "$OrnDir64"
  WriteRegStr HKLM "${ORN_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${ORN_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${ORN_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${ORN_UNINSTALL_KEY}" "NoRepair" 1

  CreateDirectory "${ORN_START_MENU}"
  CreateShortcut "${ORN_START_MENU}\OrnBench.lnk" "$INSTDIR\OrnBench.exe"
  ${If} $OrnDir64 != ""
    CreateShortcut "${ORN_START_MENU}\OrnBench (64-бит).lnk" "$OrnDir64\OrnBench.exe"
  ${EndIf}
  CreateShortcut "${ORN_START_MENU}\Прочти меня.lnk" "$INSTDIR\ReadMe.txt"
  CreateShortcut "${ORN_START_MENU}\Руководство интегратора.lnk" "$INSTDIR\Guide\index.html"
  CreateShortcut "${ORN_START_MENU}\Удалить ${ORN_PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"
SectionEnd

Function un.onInit
  SetShellVarContext all
  ReadRegStr $OrnDir64 HKLM "${ORN_UNINSTALL_KEY}" "InstallLocation64"
FunctionEnd

!macro OrnRemoveBinaries DIR
  Delete "${DIR}\OrnDriver.dll"
  Delete "${DIR}\OrnComm.dll"
  Delete "${DIR}\OrnBench.exe"
  Delete "${DIR}\ornfr.exe"
!macroend

; Removes an emptied installation folder, and its parent when that is the "Ornita" folder
; the setup made and nothing else is left in it.
!macro OrnRemoveFolder DIR
  RMDir "${DIR}"
  ${un.GetParent} "${DIR}" $R0
  ${un.GetFileName} $R0 $R1
  ${If} $R1 == "Ornita"
    RMDir $R0
  ${EndIf}
!macroend

Section "Uninstall"
  Call un.OrnAskRemoveConfig
  !ifdef ORN_X64
    !insertmacro OrnUnregisterNative "$INSTDIR"
  !else
    !insertmacro OrnUnregisterNative "$INSTDIR"
    ${If} $OrnDir64 != ""
      !insertmacro OrnUnregister64From32 "$OrnDir64"
      !insertmacro OrnRemoveBinaries "$OrnDir64"
      !insertmacro OrnRemoveFolder "$OrnDir64"
    ${EndIf}
  !endif
  !insertmacro OrnRemoveBinaries "$INSTDIR"
  Delete "$INSTDIR\Samples\*.vbs"
  RMDir "$INSTDIR\Samples"
  Delete "$INSTDIR\Guide\*.html"
  RMDir "$INSTDIR\Guide"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\Uninstall.exe"
  !insertmacro OrnRemoveFolder "$INSTDIR"

  Delete "${ORN_START_MENU}\*.lnk"
  RMDir "${ORN_START_MENU}"
  DeleteRegKey HKLM "${ORN_UNINSTALL_KEY}"

  Call un.OrnRemoveDeviceKeys
SectionEnd
