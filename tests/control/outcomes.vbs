' Outcomes a point of sale must be able to trust, through the OPOS control:
'   cscript //nologo outcomes.vbs [DeviceName]
' A property read after a failed call keeps that call's error; a receipt with no items ends
' well; a percentage discount and its void leave the subtotal as it was, and CheckTotal
' agrees; an item discount larger than the item is refused before the register hears of it.
' The last line is "outcomes: done." only when every step gave what it should. This file is
' in Windows-1251, as Windows Script Host reads it.
Option Explicit

Const OPOS_E_ILLEGAL = 106
Const OPOS_E_EXTENDED = 114
Const OPOS_EFPTR_WRONG_STATE = 207
Const FPTR_PS_MONITOR = 1
Const FPTR_AT_AMOUNT_DISCOUNT = 1
Const FPTR_AT_PERCENTAGE_DISCOUNT = 3
Const FPTR_GD_CURRENT_TOTAL = 1

Dim deviceName, fptr, paper, optArgs, total
deviceName = "Ornita-OPOS-1"
If WScript.Arguments.Count > 0 Then deviceName = WScript.Arguments(0)

Set fptr = CreateObject("OPOS.FiscalPrinter")
Check fptr.Open(deviceName), "Open"
Check fptr.ClaimDevice(1000), "ClaimDevice"
fptr.DeviceEnabled = True
Check fptr.ResultCode, "DeviceEnabled = True"
If fptr.PrinterState <> FPTR_PS_MONITOR Then
  Check fptr.PrintRecVoid("Чек прерван"), "PrintRecVoid"
  Check fptr.EndFiscalReceipt(False), "EndFiscalReceipt"
End If

' 1. "Is it the paper?" after a failed call: the call's error is still there.
Check fptr.BeginFiscalReceipt(True), "BeginFiscalReceipt"
Expect "second BeginFiscalReceipt", fptr.BeginFiscalReceipt(True), OPOS_E_EXTENDED
paper = fptr.RecEmpty & " " & fptr.RecNearEnd & " " & fptr.SlpEmpty
Expect "ResultCode after the paper", fptr.ResultCode, OPOS_E_EXTENDED
Expect "ResultCodeExtended after the paper", fptr.ResultCodeExtended, OPOS_EFPTR_WRONG_STATE

' 2. A receipt with no items.
Check fptr.PrintRecTotal(CCur(0), CCur(0), "Наличные"), "PrintRecTotal 0"
Check fptr.EndFiscalReceipt(False), "EndFiscalReceipt of an empty receipt"
Expect "PrinterState after the empty receipt", fptr.PrinterState, FPTR_PS_MONITOR

' 3. 10 % off 101.00, then its void: the subtotal is 101.00 again, and CheckTotal agrees.
Check fptr.BeginFiscalReceipt(True), "BeginFiscalReceipt"
Check fptr.PrintRecItem("Чай", CCur(101), 1000, 1, CCur(0), ""), "PrintRecItem Чай"
Check fptr.PrintRecSubtotalAdjustment(FPTR_AT_PERCENTAGE_DISCOUNT, "Скидка", CCur(10)), _
  "PrintRecSubtotalAdjustment 10 %"
Check fptr.PrintRecSubtotalAdjustVoid(FPTR_AT_PERCENTAGE_DISCOUNT, CCur(10)), _
  "PrintRecSubtotalAdjustVoid 10 %"
optArgs = CLng(0)
total = ""
Check fptr.GetData(FPTR_GD_CURRENT_TOTAL, optArgs, total), "GetData"
Expect "current total", total, "101.00"
fptr.CheckTotal = True
Check fptr.PrintRecSubtotal(CCur(101)), "PrintRecSubtotal 101.00 with CheckTotal"
Check fptr.PrintRecTotal(CCur(101), CCur(101), "Наличные"), "PrintRecTotal"
Check fptr.EndFiscalReceipt(False), "EndFiscalReceipt"
fptr.CheckTotal = False

' 4. 5.00 off an item of 1.00: refused, and the receipt goes on.
Check fptr.BeginFiscalReceipt(True), "BeginFiscalReceipt"
Check fptr.PrintRecItem("Кофе", CCur(10), 1000, 1, CCur(0), ""), "PrintRecItem Кофе"
Check fptr.PrintRecItem("Спички", CCur(1), 1000, 0, CCur(0), ""), "PrintRecItem Спички"
Expect "discount above the item", _
  fptr.PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, "Скидка", CCur(5), 0), OPOS_E_ILLEGAL
WScript.Echo "ErrorString: " & fptr.ErrorString
Check fptr.PrintRecTotal(CCur(11), CCur(11), "Наличные"), "PrintRecTotal"
Check fptr.EndFiscalReceipt(False), "EndFiscalReceipt"

fptr.DeviceEnabled = False
Check fptr.ReleaseDevice(), "ReleaseDevice"
Check fptr.Close(), "Close"
WScript.Echo "outcomes: done."

' Stops the script when a value differs from the one expected.
Sub Expect(what, value, expected)
  If CStr(value) <> CStr(expected) Then
    WScript.Echo what & ": " & value & ", expected " & expected & " (" & _
      fptr.ResultCodeExtended & ": " & fptr.ErrorString & ")"
    WScript.Quit 1
  End If
  WScript.Echo what & ": " & value
End Sub

' Stops the script at the first OPOS failure, with the service object's error.
Sub Check(resultCode, stepName)
  If resultCode <> 0 Then
    WScript.Echo stepName & " failed: " & resultCode & ", extended " & _
      fptr.ResultCodeExtended & ": " & fptr.ErrorString
    WScript.Quit 1
  End If
  WScript.Echo stepName & ": OK"
End Sub
