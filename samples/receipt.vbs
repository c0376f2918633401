' A sales receipt through the OPOS FiscalPrinter control, as a point-of-sale application
' prints one:
'
'   cscript //nologo receipt.vbs [DeviceName]
'
' DeviceName is the device's key under
' HKEY_LOCAL_MACHINE\SOFTWARE\OLEforRetail\ServiceOPOS\FiscalPrinter (default Ornita-OPOS-1).
' Three items (bread by the piece, milk, cheese by weight), a discount on the cheese, the
' subtotal, 200.00 by card and 500.00 in cash, the change. A receipt that an earlier run
' left open is voided first. The last line is "receipt: done." only when every step
' succeeded. This file is in Windows-1251, as Windows Script Host reads it.
Option Explicit

Const FPTR_PS_MONITOR = 1
Const FPTR_AT_AMOUNT_DISCOUNT = 1

Dim deviceName, fptr
deviceName = "Ornita-OPOS-1"
If WScript.Arguments.Count > 0 Then deviceName = WScript.Arguments(0)

Set fptr = CreateObject("OPOS.FiscalPrinter")
Check fptr.Open(deviceName), "Open"
Check fptr.ClaimDevice(1000), "ClaimDevice"
fptr.DeviceEnabled = True
Check fptr.ResultCode, "DeviceEnabled = True"
' Amounts must match the register's: the driver checks the total it is given.
fptr.CheckTotal = True

If fptr.PrinterState <> FPTR_PS_MONITOR Then
  Check fptr.PrintRecVoid("Чек прерван"), "PrintRecVoid"
End If

' Price is the line's amount, Quantity in thousandths, UnitPrice the price of one unit.
Check fptr.BeginFiscalReceipt(True), "BeginFiscalReceipt"
Check fptr.PrintRecItem("Хлеб ржаной", CCur(91), 2000, 1, CCur(45.5), "шт"), _
  "PrintRecItem Хлеб ржаной"
Check fptr.PrintRecItem("Молоко 3,2% 1 л", CCur(89.9), 1000, 2, CCur(89.9), "шт"), _
  "PrintRecItem Молоко"
Check fptr.PrintRecItem("Сыр российский", CCur(227.5), 350, 1, CCur(650), "кг"), _
  "PrintRecItem Сыр"
Check fptr.PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, "Скидка", CCur(10), 1), _
  "PrintRecItemAdjustment"
Check fptr.PrintRecSubtotal(CCur(398.4)), "PrintRecSubtotal"
Check fptr.PrintRecTotal(CCur(398.4), CCur(200), "Платежная карта"), _
  "PrintRecTotal Платежная карта"
Check fptr.PrintRecTotal(CCur(398.4), CCur(500), "Наличные"), "PrintRecTotal Наличные"
Check fptr.EndFiscalReceipt(False), "EndFiscalReceipt"
WScript.Echo "PrinterState: " & fptr.PrinterState

fptr.DeviceEnabled = False
Check fptr.ResultCode, "DeviceEnabled = False"
Check fptr.ReleaseDevice(), "ReleaseDevice"
Check fptr.Close(), "Close"
WScript.Echo "receipt: done."

' Stops the script at the first OPOS failure, with the service object's error.
Sub Check(resultCode, stepName)
  If resultCode <> 0 Then
    WScript.Echo stepName & " failed: " & resultCode & ", extended " & _
      fptr.ResultCodeExtended & ": " & fptr.ErrorString
    WScript.Quit 1
  End If
  WScript.Echo stepName & ": OK"
End Sub
