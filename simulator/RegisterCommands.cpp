#include "simulator/RegisterCommands.h"

#include <cstdio>
#include <cstring>

#include "platform/memory/MemoryClock.h"
#include "simulator/DocumentText.h"
#include "simulator/ErrorCodes.h"
#include "simulator/StatusBlock.h"
#include "simulator/Wire.h"

namespace orn::simulator {

namespace {

enum class Password : uint8_t { kNone, kOperator, kTaxInspector };

// Stations a command prints on, for its paper check; kStationByte: the first parameter.
constexpr StationMask kNoPrint = 0;
constexpr StationMask kStationByte = 0xFF;

constexpr size_t kAnswerHeader = 2;  // command code, error code
constexpr size_t kMaxRequest = 255;
constexpr int64_t kDayMs = 24LL * 60 * 60 * 1000;

// Commands a special mode accepts besides those that run in every state.
struct SpecialMode {
  uint8_t mode;
  uint8_t commands[2];
};
constexpr SpecialMode kSpecialModes[] = {
    {kModeDataOutput, {0x03, 0x03}},       {kModeLockedTaxPassword, {0x64, 0x64}},
    {kModeDateConfirmation, {0x22, 0x23}}, {kModeDateToBeSet, {0x22, 0x22}},
    {kModeTestRun, {0x2B, 0x2B}},
};

}  // namespace

struct RegisterCommands::Command {
  uint8_t code;
  uint8_t minLength;  // whole request, code included
  uint8_t maxLength;
  Password password;
  StationMask prints;
  bool anyState;  // answered while printing, waiting or in a special mode
  Handler run;
};

using RC = RegisterCommands;
constexpr Password kOp = Password::kOperator;
constexpr Password kTax = Password::kTaxInspector;
constexpr uint8_t kAny = uint8_t(kMaxRequest);

// Code, length (shortest, longest), password, stations printed on, any state, handler. A
// text-bearing command takes at least one byte of text.
const RegisterCommands::Command RegisterCommands::kCommands[] = {
    {0x03, 5, 5, kOp, kNoPrint, false, &RC::InterruptDataOutput},
    {0x11, 5, 5, kOp, kNoPrint, true, &RC::GetStatus},
    {0x14, 8, 8, kOp, kNoPrint, true, &RC::SetExchangeParams},
    {0x17, 7, kAny, kOp, kStationByte, false, &RC::PrintString},
    {0x19, 6, 6, kOp, kReceiptBit, false, &RC::StartTestRun},
    {0x1A, 6, 6, kOp, kNoPrint, false, &RC::GetCashRegister},
    {0x1B, 6, 6, kOp, kNoPrint, false, &RC::GetOperationRegister},
    {0x1E, 10, kAny, kOp, kNoPrint, false, &RC::WriteTable},
    {0x1F, 9, 9, kOp, kNoPrint, false, &RC::ReadTable},
    {0x21, 8, 8, kOp, kNoPrint, false, &RC::SetDeviceTime},
    {0x22, 8, 8, kOp, kNoPrint, false, &RC::SetDeviceDate},
    {0x23, 8, 8, kOp, kNoPrint, false, &RC::ConfirmDate},
    {0x25, 6, 6, kOp, kNoPrint, false, &RC::CutPaper},
    {0x2B, 5, 5, kOp, kReceiptBit, false, &RC::InterruptTest},
    {0x2D, 6, 6, kOp, kNoPrint, false, &RC::GetTableStructure},
    {0x2F, 8, kAny, kOp, kStationByte, false, &RC::PrintStringWithFont},
    {0x40, 5, 5, kOp, kFiscalStations, false, &RC::PrintReportX},
    {0x41, 5, 5, kOp, kFiscalStations, false, &RC::PrintReportZ},
    {0x50, 10, 10, kOp, kFiscalStations, false, &RC::CashIn},
    {0x51, 10, 10, kOp, kFiscalStations, false, &RC::CashOut},
    {0x63, 5, 5, kOp, kNoPrint, false, &RC::GetLastFiscalRecordDate},
    {0x64, 5, 5, kTax, kNoPrint, false, &RC::EnterTaxPassword},
    {0x66, 12, 12, kTax, kFiscalStations, false, &RC::FiscalReportByDates},
    {0x67, 10, 10, kTax, kFiscalStations, false, &RC::FiscalReportByShifts},
    {0x71, 13, 13, kOp, kNoPrint, false, &RC::OpenSlipDocument},
    {0x73, 22, kAny, kOp, kNoPrint, false, &RC::SlipOperation},
    {0x75, 17, kAny, kOp, kNoPrint, false, &RC::SlipAdjustment},
    {0x77, 33, kAny, kOp, kNoPrint, false, &RC::CloseSlipReceipt},
    {0x7A, 6, kAny, kOp, kNoPrint, false, &RC::FillSlipBuffer},
    {0x7D, 7, 7, kOp, kNoPrint, false, &RC::PrintSlip},
    {0x80, 21, kAny, kOp, kFiscalStations, false, &RC::Sale},
    {0x81, 21, kAny, kOp, kFiscalStations, false, &RC::Purchase},
    {0x82, 21, kAny, kOp, kFiscalStations, false, &RC::ReturnSale},
    {0x83, 21, kAny, kOp, kFiscalStations, false, &RC::ReturnPurchase},
    {0x84, 21, kAny, kOp, kFiscalStations, false, &RC::Storno},
    {0x85, 32, kAny, kOp, kFiscalStations, false, &RC::CloseReceipt},
    {0x86, 15, kAny, kOp, kFiscalStations, false, &RC::Discount},
    {0x87, 15, kAny, kOp, kFiscalStations, false, &RC::Surcharge},
    {0x88, 5, 5, kOp, kFiscalStations, false, &RC::AnnulReceipt},
    {0x89, 5, 5, kOp, kNoPrint, false, &RC::Subtotal},
    {0x8A, 15, kAny, kOp, kFiscalStations, false, &RC::StornoDiscount},
    {0x8B, 15, kAny, kOp, kFiscalStations, false, &RC::StornoSurcharge},
    {0x8C, 5, 5, kOp, kReceiptBit, false, &RC::RepeatDocument},
    {0xB0, 5, 5, kOp, kNoPrint, false, &RC::ContinuePrint},
    {0xFC, 1, 1, Password::kNone, kNoPrint, true, &RC::GetDeviceType},
};

RegisterCommands::RegisterCommands(const RegisterState& state, const DeviceModel& model,
                                   SimulatorFaults& faults, SimulatorCounters& counters,
                                   const PrintTiming& timing)
    : state_(state),
      model_(model),
      faults_(faults),
      counters_(counters),
      printer_(state_.flags, state_.submode, model.printer.hasJournal, faults, counters),
      tables_(model) {
  printer_.Timing() = timing;
}

const RegisterCommands::Command* RegisterCommands::Find(uint8_t code) const {
  for (const Command& command : kCommands) {
    if (command.code == code) return &command;
  }
  return nullptr;
}

size_t RegisterCommands::Execute(const uint8_t* request, size_t length, uint64_t nowMs,
                                 uint8_t* answer) {
  const uint8_t code = request[0];
  // A rate change waits for the acknowledgement of its own answer, not of a later one.
  requestedBaudRate_.reset();
  Advance(nowMs);
  answer[0] = code;
  answer[1] = kErrorUnknownCommand;
  const Command* command = Find(code);
  if (command == nullptr) return kAnswerHeader;
  answer[1] = Admit(*command, request, length);
  if (answer[1] != kErrorNone) {
    Advance(nowMs);
    return kAnswerHeader;
  }
  const size_t skipped = 1 + (command->password != Password::kNone ? kPasswordSize : 0);
  const Request params{request + skipped, length - skipped, nowMs};
  Answer data{answer + kAnswerHeader};
  longReport_ = false;
  runningCode_ = code;
  answer[1] = (this->*command->run)(params, data);
  if (answer[1] == kErrorNone) printer_.Start(nowMs, longReport_);
  Advance(nowMs);
  return kAnswerHeader + (answer[1] == kErrorNone ? data.length : 0);
}

// Length, password, the printer's and the mode's state and paper, in this order.
uint8_t RegisterCommands::Admit(const Command& command, const uint8_t* request, size_t length) {
  if (length < command.minLength || length > command.maxLength) return kErrorCommandLength;
  if (command.password != Password::kNone) {
    const uint32_t password = uint32_t(GetLe(request + 1, kPasswordSize));
    const bool tax = command.password == Password::kTaxInspector;
    if (password != (tax ? state_.taxPassword : state_.operatorPassword)) {
      // A wrong tax inspector password locks the register until the right one is given.
      if (command.code == 0x64 && ModeNumber() != kModeLockedTaxPassword) EnterSpecialMode(kModeLockedTaxPassword);
      return kErrorWrongPassword;
    }
  }
  if (command.anyState) return kErrorNone;
  if (state_.submode == kSubmodeAfterActivePaperOut && command.code != 0xB0)
    return kErrorAwaitingContinue;
  if (state_.submode == kSubmodePrinting || state_.submode == kSubmodePrintingLongReport)
    return kErrorPrinting;
  for (const SpecialMode& special : kSpecialModes) {
    if (special.mode != ModeNumber()) continue;
    if (command.code != special.commands[0] && command.code != special.commands[1])
      return kErrorWrongMode;
  }
  if (command.prints == kNoPrint) return kErrorNone;
  const uint32_t number = ++counters_.printCommands;
  for (const PaperFault& fault : faults_.paperOutBeforePrint) {
    if (fault.number != number) continue;
    state_.flags &=
        uint16_t(~(fault.station == Station::kJournal ? flag::kJournalPaper : flag::kReceiptPaper));
  }
  const size_t passwordEnd = 1 + kPasswordSize;
  const StationMask stations =
      command.prints == kStationByte ? StationMask(request[passwordEnd] & 3) : command.prints;
  return printer_.PaperError(stations);
}

size_t RegisterCommands::StatusAnswer(uint64_t nowMs, uint8_t* answer) const {
  const auto block = EncodeStatusBlock(state_, ClockAt(nowMs));
  answer[0] = 0x11;
  answer[1] = kErrorNone;
  std::memcpy(answer + 2, block.data(), block.size());
  return kAnswerHeader + block.size();
}

void RegisterCommands::Advance(uint64_t nowMs) {
  if (nowMs > lastNowMs_) lastNowMs_ = nowMs;
  const uint8_t mode = ModeNumber();
  const bool report = mode == kModeXReport || mode == kModeZReport || mode == kModeFiscalReport;
  if (printer_.Advance(nowMs) && report) state_.mode = modeAfterReport_;
  const uint8_t now = ModeNumber();
  const bool shiftOpen = now == kModeShiftOpen || now == kModeShiftOpenOver24Hours ||
                         now == kModeReceiptOpen || now == kModeSlipDocument;
  if (shiftOpen && !state_.shiftOpenedAt) state_.shiftOpenedAt = ClockAt(nowMs);
  if (now == kModeShiftClosed) state_.shiftOpenedAt.reset();
  if (state_.shiftOpenedAt && Over24Hours(nowMs)) {
    state_.fiscalMemoryFlags |= kFiscalMemoryShiftOver24Hours;
    if (now == kModeShiftOpen) state_.mode = kModeShiftOpenOver24Hours;
  }
}

void RegisterCommands::Reset(uint64_t nowMs) {
  Advance(nowMs);
  printer_.Clear();
  ClearReceiptRegisters(state_.money);
  slipBuffer_.clear();
  document_.clear();
  pendingDate_.reset();
  modeBeforeSpecial_.reset();
  const uint8_t mode = ModeNumber();
  if (mode != kModeLockedTaxPassword && mode != kModeDateToBeSet) state_.mode = BaseMode(nowMs);
  Advance(nowMs);
  ++counters_.resets;
  runningCode_ = 0;
  Record(FiscalOperation::Kind::kReset, 0);
}

platform::LocalTime RegisterCommands::ClockAt(uint64_t nowMs) const {
  return platform::LocalTimeFromMilliseconds(
      platform::MillisecondsFromLocalTime(state_.clockAtStart) + int64_t(nowMs) + clockShiftMs_);
}

std::optional<uint32_t> RegisterCommands::TakeRequestedBaudRate() {
  std::optional<uint32_t> rate = requestedBaudRate_;
  requestedBaudRate_.reset();
  return rate;
}

bool RegisterCommands::Over24Hours(uint64_t nowMs) const {
  if (!state_.shiftOpenedAt) return false;
  return platform::MillisecondsFromLocalTime(ClockAt(nowMs)) -
             platform::MillisecondsFromLocalTime(*state_.shiftOpenedAt) >
         kDayMs;
}

uint8_t RegisterCommands::BaseMode(uint64_t nowMs) const {
  if (!state_.shiftOpenedAt) return kModeShiftClosed;
  return Over24Hours(nowMs) ? kModeShiftOpenOver24Hours : kModeShiftOpen;
}

void RegisterCommands::OpenShift(uint64_t nowMs) {
  if (!state_.shiftOpenedAt) state_.shiftOpenedAt = ClockAt(nowMs);
  if (ModeNumber() == kModeShiftClosed) state_.mode = kModeShiftOpen;
}

void RegisterCommands::EnterSpecialMode(uint8_t mode) {
  modeBeforeSpecial_ = state_.mode;
  state_.mode = mode;
}

void RegisterCommands::LeaveSpecialMode(uint64_t nowMs) {
  state_.mode = modeBeforeSpecial_ ? *modeBeforeSpecial_ : BaseMode(nowMs);
  modeBeforeSpecial_.reset();
}

uint8_t RegisterCommands::CanStartDocument() const {
  switch (ModeNumber()) {
    case kModeShiftOpen:
    case kModeShiftClosed:
      return kErrorNone;
    case kModeShiftOpenOver24Hours:
      return kErrorShiftOver24Hours;
    case kModeReceiptOpen:
    case kModeSlipDocument:
      return kErrorReceiptOpen;
    default:
      return kErrorWrongMode;
  }
}

std::string RegisterCommands::Money(int64_t units) const {
  return MoneyText(units, TwoDecimals());
}

void RegisterCommands::Print(StationMask stations, const std::string& text) {
  const std::string line = Fit(text, Width());
  printer_.Queue(stations, line);
  if ((stations & kReceiptBit) != 0) document_.push_back(line);
}

// The header lines of table 4, the register's number, date, time and document number.
void RegisterCommands::PrintDocumentStart(StationMask stations, const std::string& title,
                                          uint64_t nowMs) {
  document_.clear();
  const PrinterTraits& printer = model_.printer;
  for (uint16_t i = 0; i < printer.headerLines; ++i) {
    const std::string line = tables_.Text(kTableText, uint16_t(printer.headerFirstRow + i), 1);
    if (!line.empty()) Print(stations, Centered(line, Width()));
  }
  char number[48];
  std::snprintf(number, sizeof number, "ККМ %08u", unsigned(state_.registerNumber));
  char document[16];
  std::snprintf(document, sizeof document, "№%04u", unsigned(state_.documentNumber + 1));
  const platform::LocalTime now = ClockAt(nowMs);
  char oper[16];
  std::snprintf(oper, sizeof oper, "ОПЕРАТОР %u", unsigned(state_.operatorNumber));
  Print(stations, TwoColumns(number, document, Width()));
  Print(stations, TwoColumns(DateText(now) + " " + TimeText(now), oper, Width()));
  if (!title.empty()) Print(stations, Centered(title, Width()));
}

// The trailer lines of table 4 and the cut.
void RegisterCommands::PrintDocumentEnd(StationMask stations) {
  for (uint16_t row = 1; row <= model_.printer.trailerLines; ++row) {
    const std::string line = tables_.Text(kTableText, row, 1);
    if (!line.empty()) Print(stations, Centered(line, Width()));
  }
  printer_.Cut();
}

void RegisterCommands::Record(FiscalOperation::Kind kind, int64_t amount, const std::string& text,
                              uint8_t taxGroup) {
  if (!operationObserver_) return;
  FiscalOperation operation;
  operation.kind = kind;
  operation.code = runningCode_;
  operation.documentNumber = uint16_t(state_.documentNumber + 1);
  operation.receiptType = ModeNumber() == kModeReceiptOpen ? ReceiptType() : 0;
  operation.taxGroup = taxGroup;
  operation.amount = amount;
  operation.text = text;
  operationObserver_(operation);
}

void RegisterCommands::EndDocument() {
  ++state_.documentNumber;
  lastDocument_ = document_;
  document_.clear();
}

// Service commands ------------------------------------------------------------------------

uint8_t RegisterCommands::GetStatus(const Request& request, Answer& answer) {
  const auto block = EncodeStatusBlock(state_, ClockAt(request.nowMs));
  std::memcpy(answer.data, block.data(), block.size());
  answer.length = block.size();
  return kErrorNone;
}

uint8_t RegisterCommands::GetDeviceType(const Request&, Answer& answer) {
  answer.data[0] = model_.type;
  answer.data[1] = model_.subtype;
  answer.data[2] = model_.protocolVersion;
  answer.data[3] = model_.protocolSubversion;
  answer.data[4] = model_.model;
  answer.data[5] = model_.language;
  const size_t room = kMaxRequest - kAnswerHeader - 6;
  const size_t nameLength = model_.name.size() < room ? model_.name.size() : room;
  std::memcpy(answer.data + 6, model_.name.data(), nameLength);
  answer.length = 6 + nameLength;
  return kErrorNone;
}

}  // namespace orn::simulator
