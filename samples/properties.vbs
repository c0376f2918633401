' Properties and capabilities of a fiscal register through the Ornita OPOS service object:
'
'   cscript //nologo properties.vbs [DeviceName]
'
' The capabilities follow the register's model, which the service object learns when the
' device is claimed. The last line is "properties: done." only when every step succeeded.
Option Explicit

Const PIDX_ResultCodeExtended = 7
Const PIDX_ErrorString = 1016001

Dim numbers, strings, deviceName, fptr, i
numbers = Array( _
  8, "ServiceObjectVersion", 16007, "DescriptionLength", 16017, "NumHeaderLines", _
  16018, "NumTrailerLines", 16019, "NumVatRates", 16020, "PrinterState", _
  16023, "RecEmpty", 16024, "RecNearEnd", 16005, "CoverOpen", _
  16524, "CapRecPresent", 16514, "CapJrnPresent", 16536, "CapSlpPresent", _
  16505, "CapCoverSensor", 16506, "CapDoubleWidth", 16507, "CapDuplicateReceipt")
strings = Array( _
  1000004, "ServiceObjectDescription", 1000003, "DeviceName", _
  1000002, "DeviceDescription", 1016002, "PredefinedPaymentLines")

deviceName = "Ornita-OPOS-1"
If WScript.Arguments.Count > 0 Then deviceName = WScript.Arguments(0)

Set fptr = CreateObject("Ornita.FiscalPrinter")
Check fptr.OpenService("FiscalPrinter", deviceName, Nothing), "OpenService"
Check fptr.ClaimDevice(1000), "ClaimDevice"
For i = 0 To UBound(numbers) Step 2
  WScript.Echo numbers(i + 1) & ": " & fptr.GetPropertyNumber(numbers(i))
Next
For i = 0 To UBound(strings) Step 2
  WScript.Echo strings(i + 1) & ": " & fptr.GetPropertyString(strings(i))
Next
Check fptr.ReleaseDevice(), "ReleaseDevice"
Check fptr.CloseService(), "CloseService"
WScript.Echo "properties: done."

' Stops the script at the first OPOS failure, with the service object's error.
Sub Check(resultCode, method)
  If resultCode <> 0 Then
    WScript.Echo method & " failed: " & resultCode & ", extended " & _
      fptr.GetPropertyNumber(PIDX_ResultCodeExtended) & ": " & _
      fptr.GetPropertyString(PIDX_ErrorString)
    WScript.Quit 1
  End If
  WScript.Echo method & ": OK"
End Sub
