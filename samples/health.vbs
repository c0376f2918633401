' Health check of a fiscal register through the Ornita OPOS service object:
'
'   cscript //nologo health.vbs [DeviceName]
'
' The internal check reads the register's sensors and memory flags; the external one runs
' the register's own test print. The last line is "health: done." only when every step
' succeeded.
Option Explicit

Const OPOS_CH_INTERNAL = 1
Const OPOS_CH_EXTERNAL = 2
Const PIDX_ResultCodeExtended = 7
Const PIDX_CheckHealthText = 1000001
Const PIDX_ErrorString = 1016001

Dim deviceName, fptr
deviceName = "Ornita-OPOS-1"
If WScript.Arguments.Count > 0 Then deviceName = WScript.Arguments(0)

Set fptr = CreateObject("Ornita.FiscalPrinter")
Check fptr.OpenService("FiscalPrinter", deviceName, Nothing), "OpenService"
Check fptr.ClaimDevice(1000), "ClaimDevice"
Check fptr.CheckHealth(OPOS_CH_INTERNAL), "CheckHealth internal"
WScript.Echo fptr.GetPropertyString(PIDX_CheckHealthText)
Check fptr.CheckHealth(OPOS_CH_EXTERNAL), "CheckHealth external"
WScript.Echo fptr.GetPropertyString(PIDX_CheckHealthText)
Check fptr.ReleaseDevice(), "ReleaseDevice"
Check fptr.CloseService(), "CloseService"
WScript.Echo "health: done."

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
