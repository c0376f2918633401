#include "PropertyNames.h"

#include <algorithm>
#include <array>

#include "BenchError.h"
#include "DriverText.h"
#include "TOPOSFiscalPrinter.h"

namespace orn::bench {
namespace {

// Every property the two pages show, in list order, and how its value reads: a boolean as
// "true" or "false", any other value as the control gives it.
enum class Shown { kValue, kBoolean };
struct Property {
  const wchar_t* name;
  Shown shown;
};
constexpr Shown kValue = Shown::kValue;
constexpr Shown kBoolean = Shown::kBoolean;
constexpr Property kProperties[] = {
    {L"OpenResult", kValue},
    {L"CapPowerReporting", kBoolean},
    {L"CheckHealthText", kValue},
    {L"Claimed", kBoolean},
    {L"OutputID", kValue},
    {L"PowerState", kValue},
    {L"ResultCode", kValue},
    {L"ResultCodeExtended", kValue},
    {L"State", kValue},
    {L"ControlObjectDescription", kValue},
    {L"ControlObjectVersion", kValue},
    {L"ServiceObjectDescription", kValue},
    {L"ServiceObjectVersion", kValue},
    {L"DeviceDescription", kValue},
    {L"DeviceName", kValue},
    {L"AmountDecimalPlaces", kValue},
    {L"CapAdditionalLines", kBoolean},
    {L"CapAmountAdjustment", kBoolean},
    {L"CapAmountNotPaid", kBoolean},
    {L"CapCheckTotal", kBoolean},
    {L"CapCoverSensor", kBoolean},
    {L"CapDoubleWidth", kBoolean},
    {L"CapDuplicateReceipt", kBoolean},
    {L"CapFixedOutput", kBoolean},
    {L"CapHasVatTable", kBoolean},
    {L"CapIndependentHeader", kBoolean},
    {L"CapItemList", kBoolean},
    {L"CapJrnEmptySensor", kBoolean},
    {L"CapJrnNearEndSensor", kBoolean},
    {L"CapJrnPresent", kBoolean},
    {L"CapNonFiscalMode", kBoolean},
    {L"CapOrderAdjustmentFirst", kBoolean},
    {L"CapPercentAdjustment", kBoolean},
    {L"CapPositiveAdjustment", kBoolean},
    {L"CapPowerLossReport", kBoolean},
    {L"CapPredefinedPaymentLines", kBoolean},
    {L"CapReceiptNotPaid", kBoolean},
    {L"CapRecEmptySensor", kBoolean},
    {L"CapRecNearEndSensor", kBoolean},
    {L"CapRecPresent", kBoolean},
    {L"CapRemainingFiscalMemory", kBoolean},
    {L"CapReservedWord", kBoolean},
    {L"CapSetHeader", kBoolean},
    {L"CapSetPOSID", kBoolean},
    {L"CapSetStoreFiscalID", kBoolean},
    {L"CapSetTrailer", kBoolean},
    {L"CapSetVatTable", kBoolean},
    {L"CapSlpEmptySensor", kBoolean},
    {L"CapSlpFiscalDocument", kBoolean},
    {L"CapSlpFullSlip", kBoolean},
    {L"CapSlpNearEndSensor", kBoolean},
    {L"CapSlpPresent", kBoolean},
    {L"CapSlpValidation", kBoolean},
    {L"CapSubAmountAdjustment", kBoolean},
    {L"CapSubPercentAdjustment", kBoolean},
    {L"CapSubtotal", kBoolean},
    {L"CapTrainingMode", kBoolean},
    {L"CapValidateJournal", kBoolean},
    {L"CapXReport", kBoolean},
    {L"CountryCode", kValue},
    {L"CoverOpen", kBoolean},
    {L"DayOpened", kBoolean},
    {L"DescriptionLength", kValue},
    {L"ErrorLevel", kValue},
    {L"ErrorOutID", kValue},
    {L"ErrorState", kValue},
    {L"ErrorStation", kValue},
    {L"ErrorString", kValue},
    {L"JrnEmpty", kBoolean},
    {L"JrnNearEnd", kBoolean},
    {L"MessageLength", kValue},
    {L"NumHeaderLines", kValue},
    {L"NumTrailerLines", kValue},
    {L"NumVatRates", kValue},
    {L"PredefinedPaymentLines", kValue},
    {L"PrinterState", kValue},
    {L"QuantityDecimalPlaces", kValue},
    {L"QuantityLength", kValue},
    {L"RecEmpty", kBoolean},
    {L"RecNearEnd", kBoolean},
    {L"RemainingFiscalMemory", kValue},
    {L"ReservedWord", kValue},
    {L"SlpEmpty", kBoolean},
    {L"SlpNearEnd", kBoolean},
    {L"TrainingModeActive", kBoolean},
    {L"ActualCurrency", kValue},
    {L"CapAdditionalHeader", kBoolean},
    {L"CapAdditionalTrailer", kBoolean},
    {L"CapChangeDue", kBoolean},
    {L"CapEmptyReceiptIsVoidable", kBoolean},
    {L"CapFiscalReceiptStation", kBoolean},
    {L"CapFiscalReceiptType", kBoolean},
    {L"CapMultiContractor", kBoolean},
    {L"CapOnlyVoidLastItem", kBoolean},
    {L"CapPackageAdjustment", kBoolean},
    {L"CapPostPreLine", kBoolean},
    {L"CapSetCurrency", kBoolean},
    {L"CapTotalizerType", kBoolean},
    {L"BinaryConversion", kValue},
    {L"DeviceEnabled", kBoolean},
    {L"FreezeEvents", kBoolean},
    {L"PowerNotify", kBoolean},
    {L"AsyncMode", kBoolean},
    {L"CheckTotal", kBoolean},
    {L"DuplicateReceipt", kBoolean},
    {L"FlagWhenIdle", kBoolean},
    {L"SlipSelection", kValue},
    {L"AdditionalHeader", kValue},
    {L"AdditionalTrailer", kValue},
    {L"ChangeDue", kValue},
    {L"ContractorId", kValue},
    {L"DateType", kValue},
    {L"FiscalReceiptStation", kValue},
    {L"FiscalReceiptType", kValue},
    {L"MessageType", kValue},
    {L"PostLine", kValue},
    {L"PreLine", kValue},
    {L"TotalizerType", kValue},
};
static_assert(std::size(kProperties) == 118);

// The names alone, for the pages' lists.
constexpr auto kPropertyNames = [] {
  std::array<const wchar_t*, std::size(kProperties)> names{};
  for (size_t i = 0; i < names.size(); ++i) names[i] = kProperties[i].name;
  return names;
}();

}  // namespace

std::span<const wchar_t* const> PropertyNames() {
  return kPropertyNames;
}
bool IsBooleanProperty(const std::wstring& name) {
  return std::any_of(std::begin(kProperties), std::end(kProperties), [&](const Property& property) {
    return property.shown == Shown::kBoolean && name == property.name;
  });
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
