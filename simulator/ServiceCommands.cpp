// Commands of the register as a machine: line rate, text lines, test run, paper, the
// register queries, cash in and out, ContinuePrint.

#include "simulator/BaudRates.h"
#include "simulator/DocumentText.h"
#include "simulator/ErrorCodes.h"
#include "simulator/RegisterCommands.h"
#include "simulator/Wire.h"

namespace orn::simulator {

namespace {

constexpr uint8_t kFonts = 7;
constexpr uint8_t kLongestTestPeriod = 99;  // minutes

}  // namespace

uint8_t RegisterCommands::InterruptDataOutput(const Request& request, Answer&) {
  if (ModeNumber() != kModeDataOutput) return kErrorWrongMode;
  LeaveSpecialMode(request.nowMs);
  return kErrorNone;
}

// Parameters: port number (only port 0 exists), baud-rate code, byte timeout in ms.
uint8_t RegisterCommands::SetExchangeParams(const Request& request, Answer&) {
  const std::optional<uint32_t> rate = BaudRateFromCode(request.params[1]);
  if (request.params[0] != 0 || !rate) return kErrorBadParameters;
  requestedBaudRate_ = *rate;
  byteTimeout_ = request.params[2];
  return kErrorNone;
}

// Station byte, text field.
uint8_t RegisterCommands::PrintString(const Request& request, Answer&) {
  const StationMask stations = request.params[0];
  if (stations == 0 || stations > kFiscalStations) return kErrorBadParameters;
  Print(stations, FieldText(request.params + 1, request.length - 1));
  return kErrorNone;
}

// Station byte, font number, text field.
uint8_t RegisterCommands::PrintStringWithFont(const Request& request, Answer&) {
  const StationMask stations = request.params[0];
  const uint8_t font = request.params[1];
  if (stations == 0 || stations > kFiscalStations || font < 1 || font > kFonts)
    return kErrorBadParameters;
  Print(stations, FieldText(request.params + 2, request.length - 2));
  return kErrorNone;
}

// Test period in minutes. The register prints its test page and stays in the test run.
uint8_t RegisterCommands::StartTestRun(const Request& request, Answer&) {
  const uint8_t period = request.params[0];
  if (period < 1 || period > kLongestTestPeriod) return kErrorBadParameters;
  if (const uint8_t error = CanStartDocument()) return error;
  EnterSpecialMode(kModeTestRun);
  PrintDocumentStart(kReceiptBit, "ТЕСТОВЫЙ ПРОГОН", request.nowMs);
  for (char c = '0'; c <= '9'; ++c) Print(kReceiptBit, std::string(Width(), c));
  return kErrorNone;
}

uint8_t RegisterCommands::InterruptTest(const Request& request, Answer&) {
  if (ModeNumber() != kModeTestRun) return kErrorWrongMode;
  Print(kReceiptBit, Centered("ТЕСТОВЫЙ ПРОГОН ЗАВЕРШЕН", Width()));
  printer_.Cut();
  LeaveSpecialMode(request.nowMs);
  return kErrorNone;
}

// Answer: operator number, the 6-byte value.
uint8_t RegisterCommands::GetCashRegister(const Request& request, Answer& answer) {
  answer.data[0] = state_.operatorNumber;
  PutLe(answer.data + 1, uint64_t(state_.money[request.params[0]]), 6);
  answer.length = 7;
  return kErrorNone;
}

// Answer: operator number, the 16-bit value.
uint8_t RegisterCommands::GetOperationRegister(const Request& request, Answer& answer) {
  answer.data[0] = state_.operatorNumber;
  PutLe(answer.data + 1, state_.operations[request.params[0]], 2);
  answer.length = 3;
  return kErrorNone;
}

// Cut type: 0 full, 1 partial.
uint8_t RegisterCommands::CutPaper(const Request& request, Answer&) {
  if (request.params[0] > 1) return kErrorBadParameters;
  printer_.Cut();
  return kErrorNone;
}

uint8_t RegisterCommands::CashIn(const Request& request, Answer&) {
  const int64_t amount = int64_t(GetLe(request.params, kMoneySize));
  if (const uint8_t error = CanStartDocument()) return error;
  OpenShift(request.nowMs);
  state_.money[money::kCashInHand] += amount;
  state_.money[money::kShiftCashIn] += amount;
  ++state_.operations[operations::kCashIns];
  Record(FiscalOperation::Kind::kCashIn, amount);
  PrintDocumentStart(kFiscalStations, "ВНЕСЕНИЕ", request.nowMs);
  Print(kFiscalStations, TwoColumns("ВНЕСЕНИЕ", Money(amount), Width()));
  Print(kFiscalStations,
        TwoColumns("НАЛИЧНОСТЬ В КАССЕ", Money(state_.money[money::kCashInHand]), Width()));
  PrintDocumentEnd(kFiscalStations);
  EndDocument();
  return kErrorNone;
}

uint8_t RegisterCommands::CashOut(const Request& request, Answer&) {
  const int64_t amount = int64_t(GetLe(request.params, kMoneySize));
  if (const uint8_t error = CanStartDocument()) return error;
  if (amount > state_.money[money::kCashInHand]) return kErrorNotEnoughCash;
  OpenShift(request.nowMs);
  state_.money[money::kCashInHand] -= amount;
  state_.money[money::kShiftCashOut] += amount;
  ++state_.operations[operations::kCashOuts];
  Record(FiscalOperation::Kind::kCashOut, amount);
  PrintDocumentStart(kFiscalStations, "ВЫПЛАТА", request.nowMs);
  Print(kFiscalStations, TwoColumns("ВЫПЛАТА", Money(amount), Width()));
  Print(kFiscalStations,
        TwoColumns("НАЛИЧНОСТЬ В КАССЕ", Money(state_.money[money::kCashInHand]), Width()));
  PrintDocumentEnd(kFiscalStations);
  EndDocument();
  return kErrorNone;
}

// Only after paper ran out while printing and is back: the rest is printed.
uint8_t RegisterCommands::ContinuePrint(const Request& request, Answer&) {
  if (state_.submode != kSubmodeAfterActivePaperOut) return kErrorWrongSubmode;
  printer_.Continue(request.nowMs);
  return kErrorNone;
}

}  // namespace orn::simulator
