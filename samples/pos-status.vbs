' A point-of-sale application's check of a fiscal register through the OPOS FiscalPrinter
' control, the way every OPOS application reaches a service object:
'
'   cscript //nologo pos-status.vbs [DeviceName]
'
' DeviceName is the device's key under
' HKEY_LOCAL_MACHINE\SOFTWARE\OLEforRetail\ServiceOPOS\FiscalPrinter (default Ornita-OPOS-1).
' The script opens, claims and enables the register, shows every property of the control,
' runs the internal and the external health check, then disables, releases and closes the
' register. Its last line is "pos-status: done." only when every step succeeded.
Option Explicit

Const OPOS_CH_INTERNAL = 1
Const OPOS_CH_EXTERNAL = 2

Dim deviceName, fptr
deviceName = "Ornita-OPOS-1"
If WScript.Arguments.Count > 0 Then deviceName = WScript.Arguments(0)

Set fptr = CreateObject("OPOS.FiscalPrinter")
If fptr.Open(deviceName) <> 0 Then
  WScript.Echo "Open failed: OpenResult " & fptr.OpenResult
  WScript.Quit 1
End If
WScript.Echo "Open: OK"
Check fptr.ClaimDevice(1000), "ClaimDevice"
fptr.DeviceEnabled = True
Check fptr.ResultCode, "DeviceEnabled = True"

Show "BinaryConversion", fptr.BinaryConversion
Show "CapPowerReporting", fptr.CapPowerReporting
Show "CheckHealthText", fptr.CheckHealthText
Show "Claimed", fptr.Claimed
Show "DeviceEnabled", fptr.DeviceEnabled
Show "FreezeEvents", fptr.FreezeEvents
Show "OutputID", fptr.OutputID
Show "PowerNotify", fptr.PowerNotify
Show "PowerState", fptr.PowerState
Show "ResultCode", fptr.ResultCode
Show "ResultCodeExtended", fptr.ResultCodeExtended
Show "State", fptr.State
Show "ControlObjectDescription", fptr.ControlObjectDescription
Show "ControlObjectVersion", fptr.ControlObjectVersion
Show "ServiceObjectDescription", fptr.ServiceObjectDescription
Show "ServiceObjectVersion", fptr.ServiceObjectVersion
Show "DeviceDescription", fptr.DeviceDescription
Show "DeviceName", fptr.DeviceName
Show "CapStatisticsReporting", fptr.CapStatisticsReporting
Show "CapUpdateStatistics", fptr.CapUpdateStatistics
Show "CapCompareFirmwareVersion", fptr.CapCompareFirmwareVersion
Show "CapUpdateFirmware", fptr.CapUpdateFirmware
Show "OpenResult", fptr.OpenResult
Show "AmountDecimalPlaces", fptr.AmountDecimalPlaces
Show "AsyncMode", fptr.AsyncMode
Show "CapAdditionalLines", fptr.CapAdditionalLines
Show "CapAmountAdjustment", fptr.CapAmountAdjustment
Show "CapAmountNotPaid", fptr.CapAmountNotPaid
Show "CapCheckTotal", fptr.CapCheckTotal
Show "CapCoverSensor", fptr.CapCoverSensor
Show "CapDoubleWidth", fptr.CapDoubleWidth
Show "CapDuplicateReceipt", fptr.CapDuplicateReceipt
Show "CapFixedOutput", fptr.CapFixedOutput
Show "CapHasVatTable", fptr.CapHasVatTable
Show "CapIndependentHeader", fptr.CapIndependentHeader
Show "CapItemList", fptr.CapItemList
Show "CapJrnEmptySensor", fptr.CapJrnEmptySensor
Show "CapJrnNearEndSensor", fptr.CapJrnNearEndSensor
Show "CapJrnPresent", fptr.CapJrnPresent
Show "CapNonFiscalMode", fptr.CapNonFiscalMode
Show "CapOrderAdjustmentFirst", fptr.CapOrderAdjustmentFirst
Show "CapPercentAdjustment", fptr.CapPercentAdjustment
Show "CapPositiveAdjustment", fptr.CapPositiveAdjustment
Show "CapPowerLossReport", fptr.CapPowerLossReport
Show "CapPredefinedPaymentLines", fptr.CapPredefinedPaymentLines
Show "CapReceiptNotPaid", fptr.CapReceiptNotPaid
Show "CapRecEmptySensor", fptr.CapRecEmptySensor
Show "CapRecNearEndSensor", fptr.CapRecNearEndSensor
Show "CapRecPresent", fptr.CapRecPresent
Show "CapRemainingFiscalMemory", fptr.CapRemainingFiscalMemory
Show "CapReservedWord", fptr.CapReservedWord
Show "CapSetHeader", fptr.CapSetHeader
Show "CapSetPOSID", fptr.CapSetPOSID
Show "CapSetStoreFiscalID", fptr.CapSetStoreFiscalID
Show "CapSetTrailer", fptr.CapSetTrailer
Show "CapSetVatTable", fptr.CapSetVatTable
Show "CapSlpEmptySensor", fptr.CapSlpEmptySensor
Show "CapSlpFiscalDocument", fptr.CapSlpFiscalDocument
Show "CapSlpFullSlip", fptr.CapSlpFullSlip
Show "CapSlpNearEndSensor", fptr.CapSlpNearEndSensor
Show "CapSlpPresent", fptr.CapSlpPresent
Show "CapSlpValidation", fptr.CapSlpValidation
Show "CapSubAmountAdjustment", fptr.CapSubAmountAdjustment
Show "CapSubPercentAdjustment", fptr.CapSubPercentAdjustment
Show "CapSubtotal", fptr.CapSubtotal
Show "CapTrainingMode", fptr.CapTrainingMode
Show "CapValidateJournal", fptr.CapValidateJournal
Show "CapXReport", fptr.CapXReport
Show "CheckTotal", fptr.CheckTotal
Show "CountryCode", fptr.CountryCode
Show "CoverOpen", fptr.CoverOpen
Show "DayOpened", fptr.DayOpened
Show "DescriptionLength", fptr.DescriptionLength
Show "DuplicateReceipt", fptr.DuplicateReceipt
Show "ErrorLevel", fptr.ErrorLevel
Show "ErrorOutID", fptr.ErrorOutID
Show "ErrorState", fptr.ErrorState
Show "ErrorStation", fptr.ErrorStation
Show "ErrorString", fptr.ErrorString
Show "FlagWhenIdle", fptr.FlagWhenIdle
Show "JrnEmpty", fptr.JrnEmpty
Show "JrnNearEnd", fptr.JrnNearEnd
Show "MessageLength", fptr.MessageLength
Show "NumHeaderLines", fptr.NumHeaderLines
Show "NumTrailerLines", fptr.NumTrailerLines
Show "NumVatRates", fptr.NumVatRates
Show "PredefinedPaymentLines", fptr.PredefinedPaymentLines
Show "PrinterState", fptr.PrinterState
Show "QuantityDecimalPlaces", fptr.QuantityDecimalPlaces
Show "QuantityLength", fptr.QuantityLength
Show "RecEmpty", fptr.RecEmpty
Show "RecNearEnd", fptr.RecNearEnd
Show "RemainingFiscalMemory", fptr.RemainingFiscalMemory
Show "ReservedWord", fptr.ReservedWord
Show "SlipSelection", fptr.SlipSelection
Show "SlpEmpty", fptr.SlpEmpty
Show "SlpNearEnd", fptr.SlpNearEnd
Show "TrainingModeActive", fptr.TrainingModeActive
Show "ActualCurrency", fptr.ActualCurrency
Show "AdditionalHeader", fptr.AdditionalHeader
Show "AdditionalTrailer", fptr.AdditionalTrailer
Show "CapAdditionalHeader", fptr.CapAdditionalHeader
Show "CapAdditionalTrailer", fptr.CapAdditionalTrailer
Show "CapChangeDue", fptr.CapChangeDue
Show "CapEmptyReceiptIsVoidable", fptr.CapEmptyReceiptIsVoidable
Show "CapFiscalReceiptStation", fptr.CapFiscalReceiptStation
Show "CapFiscalReceiptType", fptr.CapFiscalReceiptType
Show "CapMultiContractor", fptr.CapMultiContractor
Show "CapOnlyVoidLastItem", fptr.CapOnlyVoidLastItem
Show "CapPackageAdjustment", fptr.CapPackageAdjustment
Show "CapPostPreLine", fptr.CapPostPreLine
Show "CapSetCurrency", fptr.CapSetCurrency
Show "CapTotalizerType", fptr.CapTotalizerType
Show "ChangeDue", fptr.ChangeDue
Show "ContractorId", fptr.ContractorId
Show "DateType", fptr.DateType
Show "FiscalReceiptStation", fptr.FiscalReceiptStation
Show "FiscalReceiptType", fptr.FiscalReceiptType
Show "MessageType", fptr.MessageType
Show "PostLine", fptr.PostLine
Show "PreLine", fptr.PreLine
Show "TotalizerType", fptr.TotalizerType
Show "CapPositiveSubtotalAdjustment", fptr.CapPositiveSubtotalAdjustment

Check fptr.CheckHealth(OPOS_CH_INTERNAL), "CheckHealth internal"
WScript.Echo fptr.CheckHealthText
Check fptr.CheckHealth(OPOS_CH_EXTERNAL), "CheckHealth external"
WScript.Echo fptr.CheckHealthText
fptr.DeviceEnabled = False
Check fptr.ResultCode, "DeviceEnabled = False"
Check fptr.ReleaseDevice(), "ReleaseDevice"
Check fptr.Close(), "Close"
WScript.Echo "pos-status: done."

' One property per line; booleans as True and False whatever the locale's words for them.
Sub Show(name, value)
  Dim text
  text = value
  If VarType(value) = vbBoolean Then
    If value Then text = "True" Else text = "False"
  End If
  WScript.Echo name & ": " & text
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
