' A shift of work at a point of sale through the OPOS FiscalPrinter control:
'
'   cscript //nologo pos-shift.vbs [DeviceName]
'
' Sets a header and a trailer line, sells three receipts in cash, prints an X report, reads
' the day's totals back and compares them with the receipts, prints a non-fiscal document
' and closes the shift with a Z report, which the fiscal memory then counts. Its last line
' is "pos-shift: done." only when every step succeeded and every total agreed.
Option Explicit

Const FPTR_GD_DAILY_TOTAL = 2
Const FPTR_GD_Z_REPORT = 7
Const FPTR_TT_DAY = 2
Const FPTR_GT_GROSS = 1
Const FPTR_GT_ITEM = 5
Const FPTR_S_RECEIPT = 2

Dim deviceName, fptr, shiftBefore, sold
deviceName = "Ornita-OPOS-1"
If WScript.Arguments.Count > 0 Then deviceName = WScript.Arguments(0)

Set fptr = CreateObject("OPOS.FiscalPrinter")
If fptr.Open(deviceName) <> 0 Then
  WScript.Echo "Open failed: OpenResult " & fptr.OpenResult
  WScript.Quit 1
End If
Check fptr.ClaimDevice(1000), "ClaimDevice"
fptr.DeviceEnabled = True
Check fptr.ResultCode, "DeviceEnabled = True"

Check fptr.SetHeaderLine(1, "E2E SHOP", False), "SetHeaderLine"
Check fptr.SetTrailerLine(1, "COME AGAIN", False), "SetTrailerLine"
shiftBefore = CLng(Data(FPTR_GD_Z_REPORT, 0))

' Three receipts in cash: 2 x 20, 1 x 35, 3 x 25 roubles.
sold = 0
Sell "Bread", 20, 2
Sell "Milk", 35, 1
Sell "Tea", 25, 3
Check fptr.PrintXReport(), "PrintXReport"

' The day's totals and the cash, in roubles and kopecks.
fptr.TotalizerType = FPTR_TT_DAY
Expect "gross total", Totalizer(FPTR_GT_GROSS), sold & ".00"
Expect "item total", Totalizer(FPTR_GT_ITEM), sold & ".00"
Expect "daily total", Data(FPTR_GD_DAILY_TOTAL, 0), sold & ".00"

Check fptr.BeginNonFiscal(), "BeginNonFiscal"
Check fptr.PrintNormal(FPTR_S_RECEIPT, "E2E NON-FISCAL LINE"), "PrintNormal"
Check fptr.EndNonFiscal(), "EndNonFiscal"
Check fptr.PrintZReport(), "PrintZReport"
Expect "closed shifts", CLng(Data(FPTR_GD_Z_REPORT, 0)), shiftBefore + 1

fptr.DeviceEnabled = False
Check fptr.ReleaseDevice(), "ReleaseDevice"
Check fptr.Close(), "Close"
WScript.Echo "pos-shift: done."

Sub Sell(name, price, quantity)
  Check fptr.BeginFiscalReceipt(True), "BeginFiscalReceipt"
  Check fptr.PrintRecItem(name, CCur(price * quantity), quantity * 1000, 1, CCur(price), ""), _
    "PrintRecItem " & name
  Check fptr.PrintRecTotal(CCur(price * quantity), CCur(price * quantity), "Наличные"), _
    "PrintRecTotal"
  Check fptr.EndFiscalReceipt(False), "EndFiscalReceipt"
  sold = sold + price * quantity
End Sub

Function Data(item, selector)
  Dim optArgs, text
  optArgs = CLng(selector)
  text = ""
  Check fptr.GetData(item, optArgs, text), "GetData " & item
  Data = text
End Function

Function Totalizer(totalizerNumber)
  Dim text
  text = ""
  Check fptr.GetTotalizer(0, totalizerNumber, text), "GetTotalizer " & totalizerNumber
  Totalizer = text
End Function

' Stops the script when a value read back differs from the one expected.
Sub Expect(what, value, expected)
  If CStr(value) <> CStr(expected) Then
    WScript.Echo what & ": " & value & ", expected " & expected
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
