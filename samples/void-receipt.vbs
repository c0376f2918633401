' A receipt the customer walks away from, voided through the OPOS FiscalPrinter control:
' two items are sold, then the whole receipt is voided and the register annuls it.
'
'   cscript //nologo void-receipt.vbs [DeviceName]
'
' The last line is "void-receipt: done." only when every step succeeded and the printer is
' back in its monitor state. This file is in Windows-1251.
Option Explicit

Const FPTR_PS_MONITOR = 1

Dim deviceName, fptr
deviceName = "Ornita-OPOS-1"
If WScript.Arguments.Count > 0 Then deviceName = WScript.Arguments(0)

Set fptr = CreateObject("OPOS.FiscalPrinter")
Check fptr.Open(deviceName), "Open"
Check fptr.ClaimDevice(1000), "ClaimDevice"
fptr.DeviceEnabled = True
Check fptr.ResultCode, "DeviceEnabled = True"

Check fptr.BeginFiscalReceipt(True), "BeginFiscalReceipt"
Check fptr.PrintRecItem("Кофе молотый 250 г", CCur(359), 1000, 1, CCur(359), "шт"), _
  "PrintRecItem Кофе"
Check fptr.PrintRecItem("Сахар 1 кг", CCur(79.9), 1000, 2, CCur(79.9), "шт"), _
  "PrintRecItem Сахар"
Check fptr.PrintRecVoid("Покупатель отказался"), "PrintRecVoid"
Check fptr.EndFiscalReceipt(False), "EndFiscalReceipt"
If fptr.PrinterState <> FPTR_PS_MONITOR Then
  WScript.Echo "PrinterState is " & fptr.PrinterState & ", not the monitor state"
  WScript.Quit 1
End If

fptr.DeviceEnabled = False
Check fptr.ReleaseDevice(), "ReleaseDevice"
Check fptr.Close(), "Close"
WScript.Echo "void-receipt: done."

' Stops the script at the first OPOS failure, with the service object's error.
Sub Check(resultCode, stepName)
  If resultCode <> 0 Then
    WScript.Echo stepName & " failed: " & resultCode & ", extended " & _
      fptr.ResultCodeExtended & ": " & fptr.ErrorString
    WScript.Quit 1
  End If
  WScript.Echo stepName & ": OK"
End Sub
