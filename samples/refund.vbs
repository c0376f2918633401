' A refund through the OPOS FiscalPrinter control: the customer brings back a kettle and
' gets the money in cash.
'
'   cscript //nologo refund.vbs [DeviceName]
'
' The refunded lines go in with PrintRecRefund; the first one makes the receipt a refund
' receipt, which then takes no sales. The register pays out of its cash in hand, so there
' must be enough in the drawer (see cash-in.vbs). The last line is "refund: done." only
' when every step succeeded. This file is in Windows-1251.
Option Explicit

Dim deviceName, fptr
deviceName = "Ornita-OPOS-1"
If WScript.Arguments.Count > 0 Then deviceName = WScript.Arguments(0)

Set fptr = CreateObject("OPOS.FiscalPrinter")
Check fptr.Open(deviceName), "Open"
Check fptr.ClaimDevice(1000), "ClaimDevice"
fptr.DeviceEnabled = True
Check fptr.ResultCode, "DeviceEnabled = True"

Check fptr.BeginFiscalReceipt(True), "BeginFiscalReceipt"
Check fptr.PrintRecRefund("Чайник электрический", CCur(1490), 1), "PrintRecRefund"
Check fptr.PrintRecTotal(CCur(1490), CCur(1490), "Наличные"), "PrintRecTotal"
' Messages go in once the receipt is paid, before it ends.
Check fptr.PrintRecMessage("Возврат по чеку №0001"), "PrintRecMessage"
Check fptr.EndFiscalReceipt(False), "EndFiscalReceipt"

fptr.DeviceEnabled = False
Check fptr.ReleaseDevice(), "ReleaseDevice"
Check fptr.Close(), "Close"
WScript.Echo "refund: done."

' Stops the script at the first OPOS failure, with the service object's error.
Sub Check(resultCode, stepName)
  If resultCode <> 0 Then
    WScript.Echo stepName & " failed: " & resultCode & ", extended " & _
      fptr.ResultCodeExtended & ": " & fptr.ErrorString
    WScript.Quit 1
  End If
  WScript.Echo stepName & ": OK"
End Sub
