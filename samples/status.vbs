' Status of a fiscal register through the Ornita OPOS service object, called by name as an
' automation client (a point-of-sale application) does:
'
'   cscript //nologo status.vbs [DeviceName]
'
' DeviceName is the device's key under
' HKEY_LOCAL_MACHINE\SOFTWARE\OLEforRetail\ServiceOPOS\FiscalPrinter (default Ornita-OPOS-1).
' The script opens and claims the register, shows its state, reads the department the sales
' are booked to (DirectIO command 2), releases and closes it. Its last line is
' "status: done." only when every step succeeded.
Option Explicit

Const PIDX_Claimed = 1
Const PIDX_ResultCodeExtended = 7
Const PIDX_State = 9
Const PIDX_DayOpened = 16006
Const PIDX_PrinterState = 16020
Const PIDX_RemainingFiscalMemory = 16025
Const PIDX_DeviceDescription = 1000002
Const PIDX_ErrorString = 1016001

Dim deviceName, fptr, department, unused
deviceName = "Ornita-OPOS-1"
If WScript.Arguments.Count > 0 Then deviceName = WScript.Arguments(0)

Set fptr = CreateObject("Ornita.FiscalPrinter")
Check fptr.OpenService("FiscalPrinter", deviceName, Nothing), "OpenService"
Check fptr.ClaimDevice(1000), "ClaimDevice"
WScript.Echo "Device: " & fptr.GetPropertyString(PIDX_DeviceDescription)
WScript.Echo "State: " & fptr.GetPropertyNumber(PIDX_State)
WScript.Echo "Claimed: " & fptr.GetPropertyNumber(PIDX_Claimed)
WScript.Echo "PrinterState: " & fptr.GetPropertyNumber(PIDX_PrinterState)
WScript.Echo "DayOpened: " & fptr.GetPropertyNumber(PIDX_DayOpened)
WScript.Echo "RemainingFiscalMemory: " & fptr.GetPropertyNumber(PIDX_RemainingFiscalMemory)
department = CLng(0)
unused = ""
Check fptr.DirectIO(2, department, unused), "DirectIO"
WScript.Echo "Department: " & department
Check fptr.ReleaseDevice(), "ReleaseDevice"
Check fptr.CloseService(), "CloseService"
WScript.Echo "status: done."

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
