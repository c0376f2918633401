// The properties the control reads and writes by index: one row per index with its value
// (a constant or a getter) and what setting it does. An index without a row has no value
// (the caller's number stays, the string is empty) and cannot be set.

#include <algorithm>

#include "OrnVersion.h"
#include "device/DeviceStatus.h"
#include "device/ResultCodes.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {

uint16_t Le16(const uint8_t* bytes) {
  return uint16_t(bytes[0] | bytes[1] << 8);
}

// Bit 2 of the high flags byte.
constexpr uint16_t kCoverOpenFlag = 1u << 10;

}  // namespace

// The rows are initialised in the class's scope, so their helpers and lambdas see its state.
// clang-format off
const FptrService::NumberProperty FptrService::kNumberProperties[] = {
  {1, "Claimed", 0, Get<&FptrService::claimed_>},
  {2, "DataEventEnabled", 0, Get<&FptrService::dataEventEnabled_>,
      StoreFlag<&FptrService::dataEventEnabled_>},
  {PIDX_DeviceEnabled, "DeviceEnabled", 0, Get<&FptrService::deviceEnabled_>,
      StoreFlag<&FptrService::deviceEnabled_>},
  {5, "OutputID", 0},
  {6, "ResultCode", 0,
      [](FptrService& s, int32_t& v) { v = s.device_.ResultCode(); return true; }},
  {7, "ResultCodeExtended", 0,
      [](FptrService& s, int32_t& v) { v = s.device_.ResultCodeExtended(); return true; }},
  {8, "ServiceObjectVersion", 1006000},
  {9, "State", 0, Get<&FptrService::state_>},
  {11, "BinaryConversion", 0},
  {12, "DataCount", 0},
  {13, "PowerNotify", 0, Get<&FptrService::powerNotify_>,
      StoreFlag<&FptrService::powerNotify_>},
  {14, "PowerState", 2000},
  {501, "CapPowerReporting", 0},
  {16001, "AmountDecimalPlaces", 3},
  {16002, "AsyncMode", 0},
  {16003, "CheckTotal", 0, Get<&FptrService::checkTotal_>,
      StoreFlag<&FptrService::checkTotal_>},
  {16004, "CountryCode", 64},
  {16005, "CoverOpen", 0, [](FptrService& s, int32_t& v) {
      v = (s.device_.Flags() & kCoverOpenFlag) != 0;
      return true; }},
  {16006, "DayOpened", 0, Get<&FptrService::dayOpened_>},
  {16007, "DescriptionLength", 0,
      [](FptrService& s, int32_t& v) { v = s.device_.LineWidth(); return true; }},
  {16008, "DuplicateReceipt", 0, Get<&FptrService::duplicateReceipt_>,
      StoreFlag<&FptrService::duplicateReceipt_>},
  {16009, "ErrorLevel", 1},
  {16010, "ErrorOutID", 0},
  {16011, "ErrorState", 1},
  {16012, "ErrorStation", 0},
  {16013, "FlagWhenIdle", 0, Get<&FptrService::flagWhenIdle_>,
      StoreFlag<&FptrService::flagWhenIdle_>},
  // The journal's paper as the last status reported it.
  {16014, "JrnEmpty", 0, FlagsClear<device::flag::kJournalPaper, false>},
  {16015, "JrnNearEnd", 0, FlagsClear<device::flag::kJournalNotNearEnd, false>},
  {16016, "MessageLength", 0,
      [](FptrService& s, int32_t& v) { v = s.device_.LineWidth(); return true; }},
  {16017, "NumHeaderLines", 0, Get<&FptrService::numHeaderLines_>},
  {16018, "NumTrailerLines", 0, Get<&FptrService::numTrailerLines_>},
  {16019, "NumVatRates", 4},
  {16020, "PrinterState", 0,
      [](FptrService& s, int32_t& v) { v = s.receipt_.PrinterState(); return true; }},
  {16021, "QuantityDecimalPlaces", 3},
  {16022, "QuantityLength", 10},
  // The receipt's and the slip's paper: the register is asked first.
  {16023, "RecEmpty", 0, FlagsClear<device::flag::kReceiptPaper, true>},
  {16024, "RecNearEnd", 0, FlagsClear<device::flag::kReceiptNotNearEnd, true>},
  {16025, "RemainingFiscalMemory", 0, [](FptrService& s, int32_t& v) {
      v = Le16(s.device_.StatusBlock() + device::status::kFreeMemoryRecords);
      return true; }},
  {16026, "SlpEmpty", 0,
      FlagsClear<device::flag::kSlipTopSensor | device::flag::kSlipBottomSensor, true>},
  {16027, "SlpNearEnd", 0},
  {16028, "SlipSelection", 1, nullptr,
      [](FptrService& s, int32_t n) { if (n != 1) s.device_.SetIllegal(); }},
  {16029, "TrainingModeActive", 0},
  {16030, "ActualCurrency", 9},
  {16031, "ContractorId", 3},
  {16032, "DateType", 0, Get<&FptrService::dateType_>, [](FptrService& s, int32_t n) {
      if (n == FPTR_DT_EOD || n == FPTR_DT_RTC) s.dateType_ = n; else s.device_.SetIllegal(); }},
  {16033, "FiscalReceiptStation", 0, Get<&FptrService::fiscalReceiptStation_>,
      [](FptrService& s, int32_t n) { s.SetFiscalReceiptStation(n); }},
  {16034, "FiscalReceiptType", 0, Get<&FptrService::fiscalReceiptType_>,
      [](FptrService& s, int32_t n) { s.SetFiscalReceiptType(n); }},
  {16035, "MessageType", 0, Get<&FptrService::messageType_>, Store<&FptrService::messageType_>},
  {16036, "TotalizerType", 0, Get<&FptrService::totalizerType_>,
      Store<&FptrService::totalizerType_>},
  {16501, "CapAdditionalLines", 1},
  {16502, "CapAmountAdjustment", 1},
  {16503, "CapAmountNotPaid", 0},
  {16504, "CapCheckTotal", 1},
  {16505, "CapCoverSensor", 0, GetCap<&Capabilities::coverSensor>},
  {16506, "CapDoubleWidth", 0, GetCap<&Capabilities::doubleWidth>},
  {16507, "CapDuplicateReceipt", 0,
      GetCap<&Capabilities::duplicateReceipt>},
  {16508, "CapFixedOutput", 0},
  {16509, "CapHasVatTable", 1},
  {16510, "CapIndependentHeader", 0},
  {16511, "CapItemList", 0},
  {16512, "CapJrnEmptySensor", 0,
      GetCap<&Capabilities::jrnEmptySensor>},
  {16513, "CapJrnNearEndSensor", 0,
      GetCap<&Capabilities::jrnNearEndSensor>},
  {16514, "CapJrnPresent", 0, GetCap<&Capabilities::jrnPresent>},
  {16515, "CapNonFiscalMode", 1},
  {16516, "CapOrderAdjustmentFirst", 0},
  {16517, "CapPercentAdjustment", 1},
  {16518, "CapPositiveAdjustment", 1},
  {16519, "CapPowerLossReport", 0},
  {16520, "CapPredefinedPaymentLines", 1},
  {16521, "CapReceiptNotPaid", 0},
  {16522, "CapRecEmptySensor", 0,
      GetCap<&Capabilities::recEmptySensor>},
  {16523, "CapRecNearEndSensor", 0,
      GetCap<&Capabilities::recNearEndSensor>},
  {16524, "CapRecPresent", 0, GetCap<&Capabilities::recPresent>},
  {16525, "CapRemainingFiscalMemory", 1},
  {16526, "CapReservedWord", 0},
  {16527, "CapSetHeader", 1},
  {16528, "CapSetPOSID", 0},
  {16529, "CapSetStoreFiscalID", 0},
  {16530, "CapSetTrailer", 1},
  {16531, "CapSetVatTable", 1},
  {16532, "CapSlpEmptySensor", 0,
      GetCap<&Capabilities::slpEmptySensor>},
  {16533, "CapSlpFiscalDocument", 0,
      GetCap<&Capabilities::slpFiscalDocument>},
  {16534, "CapSlpFullSlip", 1},
  {16535, "CapSlpNearEndSensor", 0,
      GetCap<&Capabilities::slpNearEndSensor>},
  {16536, "CapSlpPresent", 0, GetCap<&Capabilities::slpPresent>},
  {16537, "CapSlpValidation", 0},
  {16538, "CapSubAmountAdjustment", 1},
  {16539, "CapSubPercentAdjustment", 0},
  {16540, "CapSubtotal", 1},
  {16541, "CapTrainingMode", 0},
  {16542, "CapValidateJournal", 0},
  {16543, "CapXReport", 1},
  {16544, "CapAdditionalHeader", 1},
  {16545, "CapAdditionalTrailer", 0},
  {16546, "CapChangeDue", 0},
  {16547, "CapEmptyReceiptIsVoidable", 0},
  {16548, "CapFiscalReceiptStation", 0},
  {16549, "CapFiscalReceiptType", 1},
  {16550, "CapMultiContractor", 0},
  {16551, "CapOnlyVoidLastItem", 1},
  {16552, "CapPackageAdjustment", 1},
  {16553, "CapPostPreLine", 1},
  {16554, "CapSetCurrency", 0},
  {16555, "CapTotalizerType", 1},
};

const FptrService::StringProperty FptrService::kStringProperties[] = {
  {1000001, "CheckHealthText", GetText<&FptrService::checkHealthText_>},
  {1000002, "DeviceDescription", GetText<&FptrService::deviceDescription_>},
  {1000003, "DeviceName", [](const FptrService& s) { return s.device_.Type().name; }},
  {1000004, "ServiceObjectDescription", [](const FptrService&) {
      return std::string("Fiscal Printer OPOS Service Driver for Ornita fiscal registers, "
                         ORN_RELEASE_TEXT);
  }},
  {1016001, "ErrorString", [](const FptrService& s) { return s.device_.ErrorString(); }},
  {1016002, "PredefinedPaymentLines",
      [](const FptrService& s) { return s.PredefinedPaymentLines(); }},
  {1016004, "AdditionalHeader", GetText<&FptrService::additionalHeader_>,
      &FptrService::additionalHeader_},
  {1016007, "PostLine", GetText<&FptrService::postLine_>, &FptrService::postLine_},
  {1016008, "PreLine", GetText<&FptrService::preLine_>, &FptrService::preLine_},
};
// clang-format on

std::span<const FptrService::NumberProperty> FptrService::NumberProperties() {
  return kNumberProperties;
}

std::span<const FptrService::StringProperty> FptrService::StringProperties() {
  return kStringProperties;
}

const FptrService::NumberProperty* FptrService::FindNumberProperty(int32_t index) {
  for (const NumberProperty& property : kNumberProperties)
    if (property.index == index) return &property;
  return nullptr;
}

const FptrService::StringProperty* FptrService::FindStringProperty(int32_t index) {
  for (const StringProperty& property : kStringProperties)
    if (property.index == index) return &property;
  return nullptr;
}

int32_t FptrService::GetPropertyNumber(int32_t propIndex, int32_t& number) {
  if (const NumberProperty* property = FindNumberProperty(propIndex)) {
    int32_t value = property->constant;
    if (!property->get || property->get(*this, value)) number = value;
  }
  return device_.ResultCode();
}

int32_t FptrService::SetPropertyNumber(int32_t propIndex, int32_t number) {
  device_.ResetError();
  const NumberProperty* property = FindNumberProperty(propIndex);
  if (property && property->set)
    property->set(*this, number);
  else
    device_.SetIllegal();
  return device_.ResultCode();
}

int32_t FptrService::GetPropertyString(int32_t propIndex, std::u16string& string) {
  const StringProperty* property = FindStringProperty(propIndex);
  string = property ? ToApp(property->get(*this)) : std::u16string();
  return device_.ResultCode();
}

int32_t FptrService::SetPropertyString(int32_t propIndex, std::u16string_view string) {
  device_.ResetError();
  const StringProperty* property = FindStringProperty(propIndex);
  if (property && property->settable)
    this->*property->settable = FromApp(string);
  else
    device_.SetIllegal();
  return device_.ResultCode();
}

bool FptrService::AskStatusForProperty() {
  const device::ErrorTriple lastMethod = device_.Errors();
  const bool answered = device_.GetStatus();
  device_.Errors() = lastMethod;
  return answered;
}

void FptrService::SetFiscalReceiptStation(int32_t number) {
  if (receipt_.PrinterState() != FPTR_PS_MONITOR) {
    device_.SetExtendedError(device::OPOS_EFPTR_WRONG_STATE);
    return;
  }
  if (number == FPTR_RS_RECEIPT || (number == FPTR_RS_SLIP && caps_.slpPresent)) {
    fiscalReceiptStation_ = number;
    stationIsReceipt_ = number == FPTR_RS_RECEIPT;
  } else {
    device_.SetIllegal();
  }
}

void FptrService::SetFiscalReceiptType(int32_t number) {
  if (number == fiscalReceiptType_) return;
  if (receipt_.PrinterState() != FPTR_PS_MONITOR) {
    device_.SetExtendedError(device::OPOS_EFPTR_WRONG_STATE);
    return;
  }
  const bool allowed =
      number == FPTR_RT_SALES ||
      (stationIsReceipt_ && (number == FPTR_RT_CASH_IN || number == FPTR_RT_CASH_OUT));
  if (allowed)
    fiscalReceiptType_ = number;
  else
    device_.SetIllegal();
}

std::string FptrService::PredefinedPaymentLines() const {
  std::string lines;
  for (size_t i = 0; i < params_.PayTypes().size(); ++i) {
    if (i != 0) lines += ',';
    lines += std::to_string(i);
  }
  return lines;
}

}  // namespace orn::service
