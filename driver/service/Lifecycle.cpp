// The life of the service object: OpenService finds the register, the first ClaimDevice
// starts it (type, capabilities, header and trailer, special modes, start-up settings),
// ReleaseDevice and CloseService give it up.

#include "device/DeviceStatus.h"
#include "device/ResultCodes.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {

using device::OPOS_E_CLOSED;
using device::OPOS_E_NOTCLAIMED;
using device::OPOS_ORS_CONFIG;
using device::OPOS_ORS_NOPORT;
using device::OPOS_SUCCESS;

// Poll interval while waiting for the register to finish printing at claim time.
constexpr uint32_t kClaimPollMs = 200;

// Table 1, row 1: the start-up switches, with their field per model category (0: the
// category has no such field). A category the table does not know counts as category 0.
constexpr int kCategoryColumns = 9;
struct StartupSwitch {
  uint8_t fieldByCategory[kCategoryColumns];
  uint32_t value;
};
// clang-format off
constexpr StartupSwitch kStartupSwitches[] = {
  //  0   1   2   3   4   5   6   7   8
  {{  0,  4,  4,  0,  4,  3,  3,  3,  0}, 1},
  {{  0,  8,  8,  0,  8,  0,  7,  7,  0}, 1},
  {{ 15, 15, 15, 15, 15, 15, 15, 15, 15}, 0},
  {{  0, 20, 20,  0, 19, 17, 18, 18,  0}, 1},
};
// clang-format on
constexpr uint8_t kSettingsTable = 1;
constexpr uint8_t kTextTable = 4;
constexpr uint8_t kPaymentNamesTable = 5;
constexpr uint8_t kSlipTable = 12;
constexpr uint8_t kSlipOperationTable = 13;
// The model category whose slip settings are written and read at start-up.
constexpr int kSlipSettingsCategory = 4;
constexpr uint8_t kReadWholeField = 255;
// Mode 8 with a refund receipt open.
constexpr uint8_t kRefundReceiptMode = 0x28;

}  // namespace

void FptrService::ApplyParams() {
  device_.SetConnection(params_.ComNumber(), params_.BaudRate());
  device_.SetPassword(params_.Password());
  device_.SetTaxPassword(params_.PasswordNI(), params_.HasPasswordNI());
  device_.SetFontNumber(params_.FontNumber());
}

int32_t FptrService::OpenService(std::u16string_view deviceClass, std::u16string_view deviceName,
                                 void* dispatch) {
  (void)dispatch;
  // An object that was open starts again from closed, as a new one: the device may be
  // another register, and the first claim after the open must start it afresh.
  if (opened_) {
    ShutDown();
    ForgetRegister();
  }
  const std::string previousDevice = params_.DeviceKeyPath();
  // The registry comes first: it switches the log on.
  EnterMethod(Method::kOpenService);
  const bool configured = params_.ReadDeviceParams(FromApp(deviceName));
  LogCall(Method::kOpenService, {Text("DeviceClass", deviceClass), Text("DeviceName", deviceName)});
  if (configured) {
    // The receipt state is the device's own: another device's is not carried over.
    if (params_.DeviceKeyPath() != previousDevice) ForgetReceipt();
    ApplyParams();
    receipt_.LoadReceiptState();
    device_.SetUnsettledStore(&unsettledRecord_);
    if (device_.FindDevice()) {
      opened_ = true;
      state_ = OPOS_S_IDLE;
    } else {
      log_.LogDetail("Ошибка открытия устройства");
      // No port could be opened at all: nothing set an error, yet nothing was found.
      if (device_.ResultCode() == OPOS_SUCCESS) device_.Errors().Set(OPOS_ORS_NOPORT, 0);
      // A failed search holds no port: an object that was open is closed now.
      ShutDown();
    }
  } else {
    device_.Errors().Set(OPOS_ORS_CONFIG, 0);
    log_.LogDetail("Ошибка чтения параметров реестра.");
    // The parameters are now those of a device that could not be read (its keys, its
    // payment types): an object that was open must not go on with them.
    ShutDown();
  }
  openResult_ = device_.ResultCode();
  return Finish();
}

int32_t FptrService::CloseService() {
  return Call(Method::kCloseService, {}, [&] {
    if (!opened_) {
      device_.Errors().Set(OPOS_E_CLOSED, 0);
      return;
    }
    ShutDown();
  });
}

void FptrService::ShutDown() {
  device_.Disconnect();
  // Closed, not claimed: a later open and claim start the register again.
  opened_ = claimed_ = portOpen_ = deviceEnabled_ = false;
  state_ = OPOS_S_CLOSED;
}

int32_t FptrService::ClaimDevice(int32_t timeout) {
  return Call(Method::kClaimDevice, {Number("Timeout", timeout)}, [&] {
    if (!opened_) {
      device_.Errors().Set(OPOS_E_CLOSED, 0);
      return;
    }
    if (portOpen_) {
      if (device_.WaitForPrinting(kClaimPollMs)) claimed_ = true;
      return;
    }
    if (StartDevice()) claimed_ = portOpen_ = true;
  });
}

int32_t FptrService::ReleaseDevice() {
  return Call(Method::kReleaseDevice, {}, [&] {
    if (!opened_) {
      device_.Errors().Set(OPOS_E_CLOSED, 0);
    } else if (!claimed_) {
      device_.Errors().Set(OPOS_E_NOTCLAIMED, 0);
    } else {
      // Released devices are disabled; the port stays open, so a new claim only waits.
      claimed_ = deviceEnabled_ = false;
    }
  });
}

void FptrService::ForgetRegister() {
  device_.ForgetType();
  caps_ = Capabilities{};
  deviceDescription_.clear();
  dayOpened_ = false;
  numHeaderLines_ = numTrailerLines_ = firstHeaderRow_ = 0;
  headerLines_.clear();
  trailerLines_.clear();
  slipOpLines_ = 0;
}

void FptrService::ForgetReceipt() {
  receipt_.Forget();
  stateStore_.ForgetFailure();
  ForgetReceiptMemory();
  paymentTarget_ = 0;
}

bool FptrService::StartDevice() {
  if (!device_.GetDeviceType() || !ApplyDeviceType()) return false;
  ReadHeaderAndTrailer();
  if (!device_.WaitForPrinting(kClaimPollMs)) return false;
  if (device_.Submode() != device::submode::kPaperPresent) return true;

  bool documentOpen = false;
  StartupMode(documentOpen);
  if (documentOpen) {
    const int32_t state = receipt_.PrinterState();
    if (state != FPTR_PS_FISCAL_RECEIPT && state != FPTR_PS_FISCAL_RECEIPT_TOTAL &&
        state != FPTR_PS_FISCAL_RECEIPT_ENDING)
      receipt_.SetPrinterState(FPTR_PS_FISCAL_RECEIPT);
    return true;
  }
  // A receipt the register closed whose end had not finished (paper ran out, the process
  // ended) stays to be ended: EndFiscalReceipt, called again, finishes it and reports it
  // done, where state 1 would leave the application believing it lost.
  const bool closedNotEnded = receipt_.ReceiptEnding() == receipt::ReceiptState::Ending::kClosed &&
                              receipt_.PrinterState() == FPTR_PS_FISCAL_RECEIPT_ENDING;
  if (!closedNotEnded) {
    receipt_.ForgetPaymentSums();
    if (receipt_.PrinterState() != FPTR_PS_NONFISCAL) receipt_.SetPrinterState(FPTR_PS_MONITOR);
  }
  return StartupTables();
}

void FptrService::ReadHeaderAndTrailer() {
  headerLines_.assign(size_t(numHeaderLines_), std::string());
  trailerLines_.assign(size_t(numTrailerLines_), std::string());
  for (int32_t i = 0; i < numHeaderLines_; ++i)
    if (!ReadTableString(kTextTable, uint16_t(firstHeaderRow_ + i), 1, headerLines_[size_t(i)]))
      break;
  for (int32_t j = 0; j < numTrailerLines_; ++j)
    if (!ReadTableString(kTextTable, uint16_t(1 + j), 1, trailerLines_[size_t(j)])) break;
}

void FptrService::StartupMode(bool& documentOpen) {
  namespace mode = device::mode;
  const uint8_t modeByte = device_.ModeByte();
  switch (mode::Number(modeByte)) {
    case mode::kDataOutput:
      device_.InterruptDataOutput();
      break;
    case mode::kLockedTaxPassword:
      device_.EnterTaxPassword();
      break;
    case mode::kDateConfirmation:
      device_.ConfirmDate(device_.StatusDate());
      break;
    case mode::kDateToBeSet:
      // The register's own date, as the last status gave it.
      if (device_.SetDeviceDate(device_.StatusDate())) device_.ConfirmDate(device_.StatusDate());
      break;
    case mode::kTestRun:
      device_.InterruptTest();
      break;
    case mode::kReceiptOpen:
      fiscalReceiptStation_ = FPTR_RS_RECEIPT;
      stationIsReceipt_ = true;
      documentOpen = true;
      break;
    case mode::kSlipDocument:
    case mode::kSlipDocument15:
      fiscalReceiptStation_ = FPTR_RS_SLIP;
      stationIsReceipt_ = false;
      documentOpen = true;
      break;
    default:
      break;
  }
  // These commands only tidy the register up: their outcome is not the claim's.
  device_.ResetError();
  refundReceipt_ = modeByte == kRefundReceiptMode;
}

bool FptrService::StartupTables() {
  const int category = device_.ModelCategory();
  const int column = category >= 0 && category < kCategoryColumns ? category : 0;
  for (const StartupSwitch& entry : kStartupSwitches) {
    const uint8_t field = entry.fieldByCategory[column];
    if (field != 0 && !WriteTableNumber(kSettingsTable, 1, field, entry.value)) return false;
  }
  for (int number = config::kFirstNamedPayType; number <= config::kLastNamedPayType; ++number) {
    const std::string& name = params_.PayTypeName(number);
    if (!WriteTableString(kPaymentNamesTable, uint16_t(number), 1, name.empty() ? " " : name))
      return false;
  }
  if (category != kSlipSettingsCategory) return true;
  if (!WriteTableNumber(kSlipTable, 1, 6, 10)) return false;
  const std::optional<device::TableValue> lines =
      device_.ReadTable({kSlipOperationTable, 1, 2, device::FieldKind::kNumber, 1});
  if (!lines) return false;
  slipOpLines_ = uint8_t(lines->number);
  return true;
}

bool FptrService::WriteTableNumber(uint8_t table, uint16_t row, uint8_t field, uint32_t value) {
  return device_.WriteTable({table, row, field, device::FieldKind::kNumber, 1},
                            device::TableValue::Number(value));
}

bool FptrService::WriteTableString(uint8_t table, uint16_t row, uint8_t field,
                                   const std::string& value) {
  // The register's text fields are as wide as its line.
  return device_.WriteTable(
      {table, row, field, device::FieldKind::kString, uint8_t(device_.LineWidth())},
      device::TableValue::Text(value));
}

bool FptrService::ReadTableString(uint8_t table, uint16_t row, uint8_t field, std::string& value) {
  const std::optional<device::TableValue> read =
      device_.ReadTable({table, row, field, device::FieldKind::kString, kReadWholeField});
  if (!read) return false;
  value = read->text;
  return true;
}

}  // namespace orn::service
