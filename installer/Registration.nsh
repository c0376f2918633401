; COM registration of OrnDriver.dll by the regsvr32 of the DLL's own architecture, so that
; each service object lands in its own registry view. A failed registration ends the
; installation (status 2) with the reason in the details.

; regsvr32 of this setup's own architecture: $SYSDIR as this process sees it.
!macro OrnRegsvr32 DLL OPTIONS
  ClearErrors
  ExecWait '"$SYSDIR\regsvr32.exe" /s ${OPTIONS} "${DLL}"' $R0
  ${If} ${Errors}
  ${OrIf} $R0 != 0
    StrCpy $R0 "error $R0"
  ${Else}
    StrCpy $R0 ""
  ${EndIf}
!macroend

; The 64-bit regsvr32 from the 32-bit setup: the real System32, not SysWOW64.
!macro OrnRegsvr32From32 DLL OPTIONS
  ${DisableX64FSRedirection}
  !insertmacro OrnRegsvr32 "${DLL}" "${OPTIONS}"
  ${EnableX64FSRedirection}
!macroend

!macro OrnCheckRegistered DLL
  ${If} $R0 != ""
    DetailPrint "regsvr32 ${DLL}: $R0"
    MessageBox MB_OK|MB_ICONSTOP "Не удалось зарегистрировать ${DLL} ($R0)." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  DetailPrint "Зарегистрирован ${DLL}"
!macroend

!macro OrnRegisterNative DIR
  !insertmacro OrnRegsvr32 "${DIR}\OrnDriver.dll" ""
  !insertmacro OrnCheckRegistered "${DIR}\OrnDriver.dll"
!macroend

!macro OrnRegister64From32 DIR
  !insertmacro OrnRegsvr32From32 "${DIR}\OrnDriver.dll" ""
  !insertmacro OrnCheckRegistered "${DIR}\OrnDriver.dll"
!macroend

; Unregistration goes on whatever regsvr32 says: the files are removed all the same.
!macro OrnUnregisterNative DIR
  !insertmacro OrnRegsvr32 "${DIR}\OrnDriver.dll" "/u"
  DetailPrint "regsvr32 /u ${DIR}\OrnDriver.dll $R0"
!macroend

!macro OrnUnregister64From32 DIR
  !insertmacro OrnRegsvr32From32 "${DIR}\OrnDriver.dll" "/u"
  DetailPrint "regsvr32 /u ${DIR}\OrnDriver.dll $R0"
!macroend
