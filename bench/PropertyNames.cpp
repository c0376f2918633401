#include "PropertyNames.h"

#include <algorithm>

#include "BenchError.h"
#include "DriverText.h"
#include "TOPOSFiscalPrinter.h"

namespace orn::bench {
namespace {

constexpr const wchar_t* kPropertyNames[] = {
    L"OpenResult",
    L"CapPowerReporting",
    L"CheckHealthText",
    L"Claimed",
    L"OutputID",
    L"PowerState",
    L"ResultCode",
    L"ResultCodeExtended",
    L"State",
    L"ControlObjectDescription",
    L"ControlObjectVersion",
    L"ServiceObjectDescription",
    L"ServiceObjectVersion",
    L"DeviceDescription",
    L"DeviceName",
    L"AmountDecimalPlaces",
    L"CapAdditionalLines",
    L"CapAmountAdjustment",
    L"CapAmountNotPaid",
    L"CapCheckTotal",
    L"CapCoverSensor",
    L"CapDoubleWidth",
    L"CapDuplicateReceipt",
    L"CapFixedOutput",
    L"CapHasVatTable",
    L"CapIndependentHeader",
    L"CapItemList",
    L"CapJrnEmptySensor",
    L"CapJrnNearEndSensor",
    L"CapJrnPresent",
    L"CapNonFiscalMode",
    L"CapOrderAdjustmentFirst",
    L"CapPercentAdjustment",
    L"CapPositiveAdjustment",
    L"CapPowerLossReport",
    L"CapPredefinedPaymentLines",
    L"CapReceiptNotPaid",
    L"CapRecEmptySensor",
    L"CapRecNearEndSensor",
    L"CapRecPresent",
    L"CapRemainingFiscalMemory",
    L"CapReservedWord",
    L"CapSetHeader",
    L"CapSetPOSID",
    L"CapSetStoreFiscalID",
    L"CapSetTrailer",
    L"CapSetVatTable",
    L"CapSlpEmptySensor",
    L"CapSlpFiscalDocument",
    L"CapSlpFullSlip",
    L"CapSlpNearEndSensor",
    L"CapSlpPresent",
    L"CapSlpValidation",
    L"CapSubAmountAdjustment",
    L"CapSubPercentAdjustment",
    L"CapSubtotal",
    L"CapTrainingMode",
    L"CapValidateJournal",
    L"CapXReport",
    L"CountryCode",
    L"CoverOpen",
    L"DayOpened",
    L"DescriptionLength",
    L"ErrorLevel",
    L"ErrorOutID",
    L"ErrorState",
    L"ErrorStation",
    L"ErrorString",
    L"JrnEmpty",
    L"JrnNearEnd",
    L"MessageLength",
    L"NumHeaderLines",
    L"NumTrailerLines",
    L"NumVatRates",
    L"PredefinedPaymentLines",
    L"PrinterState",
    L"QuantityDecimalPlaces",
    L"QuantityLength",
    L"RecEmpty",
    L"RecNearEnd",
    L"RemainingFiscalMemory",
    L"ReservedWord",
    L"SlpEmpty",
    L"SlpNearEnd",
    L"TrainingModeActive",
    L"ActualCurrency",
    L"CapAdditionalHeader",
    L"CapAdditionalTrailer",
    L"CapChangeDue",
    L"CapEmptyReceiptIsVoidable",
    L"CapFiscalReceiptStation",
    L"CapFiscalReceiptType",
    L"CapMultiContractor",
    L"CapOnlyVoidLastItem",
    L"CapPackageAdjustment",
    L"CapPostPreLine",
    L"CapSetCurrency",
    L"CapTotalizerType",
    L"BinaryConversion",
    L"DeviceEnabled",
    L"FreezeEvents",
    L"PowerNotify",
    L"AsyncMode",
    L"CheckTotal",
    L"DuplicateReceipt",
    L"FlagWhenIdle",
    L"SlipSelection",
    L"AdditionalHeader",
    L"AdditionalTrailer",
    L"ChangeDue",
    L"ContractorId",
    L"DateType",
    L"FiscalReceiptStation",
    L"FiscalReceiptType",
    L"MessageType",
    L"PostLine",
    L"PreLine",
    L"TotalizerType",
};
static_assert(std::size(kPropertyNames) == 118);

constexpr const wchar_t* kBooleanProperties[] = {
    L"CapPowerReporting",
    L"Claimed",
    L"CapAdditionalLines",
    L"CapAmountAdjustment",
    L"CapAmountNotPaid",
    L"CapCheckTotal",
    L"CapCoverSensor",
    L"CapDoubleWidth",
    L"CapDuplicateReceipt",
    L"CapFixedOutput",
    L"CapHasVatTable",
    L"CapIndependentHeader",
    L"CapItemList",
    L"CapJrnEmptySensor",
    L"CapJrnNearEndSensor",
    L"CapJrnPresent",
    L"CapNonFiscalMode",
    L"CapOrderAdjustmentFirst",
    L"CapPercentAdjustment",
    L"CapPositiveAdjustment",
    L"CapPowerLossReport",
    L"CapPredefinedPaymentLines",
    L"CapReceiptNotPaid",
    L"CapRecEmptySensor",
    L"CapRecNearEndSensor",
    L"CapRecPresent",
    L"CapRemainingFiscalMemory",
    L"CapReservedWord",
    L"CapSetHeader",
    L"CapSetPOSID",
    L"CapSetStoreFiscalID",
    L"CapSetTrailer",
    L"CapSetVatTable",
    L"CapSlpEmptySensor",
    L"CapSlpFiscalDocument",
    L"CapSlpFullSlip",
    L"CapSlpNearEndSensor",
    L"CapSlpPresent",
    L"CapSlpValidation",
    L"CapSubAmountAdjustment",
    L"CapSubPercentAdjustment",
    L"CapSubtotal",
    L"CapTrainingMode",
    L"CapValidateJournal",
    L"CapXReport",
    L"CoverOpen",
    L"DayOpened",
    L"JrnEmpty",
    L"JrnNearEnd",
    L"RecEmpty",
    L"RecNearEnd",
    L"SlpEmpty",
    L"SlpNearEnd",
    L"TrainingModeActive",
    L"CapAdditionalHeader",
    L"CapAdditionalTrailer",
    L"CapChangeDue",
    L"CapEmptyReceiptIsVoidable",
    L"CapFiscalReceiptStation",
    L"CapFiscalReceiptType",
    L"CapMultiContractor",
    L"CapOnlyVoidLastItem",
    L"CapPackageAdjustment",
    L"CapPostPreLine",
    L"CapSetCurrency",
    L"CapTotalizerType",
    L"DeviceEnabled",
    L"FreezeEvents",
    L"PowerNotify",
    L"AsyncMode",
    L"CheckTotal",
    L"DuplicateReceipt",
    L"FlagWhenIdle",
};
static_assert(std::size(kBooleanProperties) == 73);

bool Contains(std::span<const wchar_t* const> names, const std::wstring& name) {
  return std::any_of(names.begin(), names.end(), [&](const wchar_t* n) { return name == n; });
}

}  // namespace

std::span<const wchar_t* const> PropertyNames() {
  return kPropertyNames;
}
bool IsBooleanProperty(const std::wstring& name) {
  return Contains(kBooleanProperties, name);
}

std::wstring PropertyValueText(TOPOSFiscalPrinter& printer, const std::wstring& name) {
  std::wstring text;
  try {
    Variant value;
    printer.ReadPropertyByName(name, value);
    if (IsBooleanProperty(name)) {
      text = value.AsBoolean() ? L"true" : L"false";
    } else {
      text = value.AsText();
    }
  } catch (const BenchError& error) {
    text = error.message;
  }
  return FromDriverText(text);
}

}  // namespace orn::bench
