' Cash put into the drawer through the OPOS FiscalPrinter control (a cash-in receipt), as a
' point of sale does at the start of a shift:
'
'   cscript //nologo cash-in.vbs [DeviceName] [Amount]
'
' DeviceName defaults to Ornita-OPOS-1, Amount (roubles) to 2000. The last line is
' "cash-in: done." only when every step succeeded. This file is in Windows-1251.
Option Explicit

Const FPTR_RT_CASH_IN = 1
Const FPTR_RT_SALES = 4

Dim deviceName, amount, fptr
deviceName = "Ornita-OPOS-1"
amount = CCur(2000)
If WScript.Arguments.Count > 0 Then deviceName = WScript.Arguments(0)
If WScript.Arguments.Count > 1 Then amount = CCur(WScript.Arguments(1))

Set fptr = CreateObject("OPOS.FiscalPrinter")
Check fptr.Open(deviceName), "Open"
Check fptr.ClaimDevice(1000), "ClaimDevice"
fptr.DeviceEnabled = True
Check fptr.ResultCode, "DeviceEnabled = True"

' The receipt type is chosen before the receipt begins; the cash is one line.
fptr.FiscalReceiptType = FPTR_RT_CASH_IN
Check fptr.ResultCode, "FiscalReceiptType = FPTR_RT_CASH_IN"
Check fptr.BeginFiscalReceipt(True), "BeginFiscalReceipt"
Check fptr.PrintRecCash(amount), "PrintRecCash"
Check fptr.PrintRecTotal(amount, amount, "Наличные"), "PrintRecTotal"
Check fptr.EndFiscalReceipt(False), "EndFiscalReceipt"
fptr.FiscalReceiptType = FPTR_RT_SALES
Check fptr.ResultCode, "FiscalReceiptType = FPTR_RT_SALES"

fptr.DeviceEnabled = False
Check fptr.ReleaseDevice(), "ReleaseDevice"
Check fptr.Close(), "Close"
WScript.Echo "cash-in: done."

' Stops the script at the first OPOS failure, with the service object's error.
Sub Check(resultCode, stepName)
  If resultCode <> 0 Then
    WScript.Echo stepName & " failed: " & resultCode & ", extended " & _
      fptr.ResultCodeExtended & ": " & fptr.ErrorString
    WScript.Quit 1
  End If
  WScript.Echo stepName & ": OK"
End Sub
