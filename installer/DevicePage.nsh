; The page that asks for the register's COM port and baud rate (silent: /COM= and /BAUD=).

Var OrnPortList
Var OrnBaudList

Function OrnDevicePageShow
  !insertmacro MUI_HEADER_TEXT "Фискальный регистратор" "Порт и скорость обмена устройства OPOS Ornita-OPOS-1"
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 30u "Укажите порт COM, к которому подключен регистратор, и скорость обмена, настроенную в регистраторе. При поиске драйвер опрашивает порты COM1-COM32 на всех скоростях и запоминает найденный порт."
  Pop $0

  ${NSD_CreateLabel} 0 40u 90u 12u "Порт:"
  Pop $0
  ${NSD_CreateDropList} 95u 38u 130u 150u ""
  Pop $OrnPortList
  ; The list's index is the ComNumber: 0 is the search.
  ${NSD_CB_AddString} $OrnPortList "поиск (COM1-COM32)"
  ${For} $1 1 32
    ${NSD_CB_AddString} $OrnPortList "COM$1"
  ${Next}
  ${NSD_CB_SetSelectionIndex} $OrnPortList $OrnCom

  ${NSD_CreateLabel} 0 60u 90u 12u "Скорость, бод:"
  Pop $0
  ${NSD_CreateDropList} 95u 58u 130u 100u ""
  Pop $OrnBaudList
  ${WordFind} "${ORN_BAUD_RATES}" " " "#" $2
  ${For} $1 1 $2
    ${WordFind} "${ORN_BAUD_RATES}" " " "+$1" $3
    ${NSD_CB_AddString} $OrnBaudList $3
  ${Next}
  ${NSD_CB_SelectString} $OrnBaudList $OrnBaud

  nsDialogs::Show
FunctionEnd

Function OrnDevicePageLeave
  ${NSD_CB_GetSelectionIndex} $OrnPortList $OrnCom
  ${NSD_GetText} $OrnBaudList $OrnBaud
FunctionEnd
