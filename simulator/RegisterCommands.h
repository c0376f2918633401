#pragma once
// The register's command interpreter: one request message in, one answer message out
// (command code, error code, data). It knows nothing of the link or the transport. The
// commands are a table (code, request length, password, stations printed on); their
// handlers live in one file per group of commands.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "simulator/DeviceModel.h"
#include "simulator/FiscalOperation.h"
#include "simulator/Printer.h"
#include "simulator/RegisterState.h"
#include "simulator/SimulatorFaults.h"
#include "simulator/Tables.h"

namespace orn::simulator {

class RegisterCommands {
 public:
  RegisterCommands(const RegisterState& state, const DeviceModel& model, SimulatorFaults& faults,
                   SimulatorCounters& counters, const PrintTiming& timing);
  RegisterCommands(const RegisterCommands&) = delete;
  RegisterCommands& operator=(const RegisterCommands&) = delete;

  // Runs a request of `length` bytes (at least 1) arriving at line time `nowMs`; writes the
  // answer to `answer` (room for 255 bytes) and returns its length.
  size_t Execute(const uint8_t* request, size_t length, uint64_t nowMs, uint8_t* answer);

  // The GetStatus answer as of the last Advance, without running a command.
  size_t StatusAnswer(uint64_t nowMs, uint8_t* answer) const;

  // Brings the printer, the paper sensors and the shift's age up to line time `nowMs`.
  void Advance(uint64_t nowMs);
  // RAM cleared: an open receipt or slip document is annulled without a trace, printing
  // and special modes end. The shift, its registers and the fiscal memory stay.
  void Reset(uint64_t nowMs);
  uint64_t LastTimeMs() const { return lastNowMs_; }

  // The register's clock at line time `nowMs`.
  platform::LocalTime ClockAt(uint64_t nowMs) const;

  // The rate a successful SetExchangeParams asked for, once; the link applies it after the
  // driver has acknowledged that answer.
  std::optional<uint32_t> TakeRequestedBaudRate();
  std::optional<uint32_t> RequestedBaudRate() const { return requestedBaudRate_; }

  RegisterState& State() { return state_; }
  DeviceModel& Model() { return model_; }
  uint8_t ByteTimeout() const { return byteTimeout_; }
  Printer& GetPrinter() { return printer_; }
  const Printer& GetPrinter() const { return printer_; }
  Tables& GetTables() { return tables_; }
  // Told of every fiscal operation as it is executed (see FiscalOperation).
  void SetOperationObserver(FiscalOperationObserver observer) {
    operationObserver_ = std::move(observer);
  }

 private:
  // The parameters after the password (after the code when there is none).
  struct Request {
    const uint8_t* params;
    size_t length;
    uint64_t nowMs;
  };
  // Where a handler writes its answer data.
  struct Answer {
    uint8_t* data;
    size_t length = 0;
  };
  using Handler = uint8_t (RegisterCommands::*)(const Request&, Answer&);
  struct Command;
  static const Command kCommands[];

  // An item of a receipt or slip document.
  struct Item {
    int64_t quantity = 0;  // thousandths
    int64_t price = 0;
    uint8_t department = 0;
    std::array<uint8_t, 4> taxes = {};
    std::string text;
    int64_t amount = 0;  // quantity × price, rounded
  };
  enum class Adjustment { kDiscount, kSurcharge, kStornoDiscount, kStornoSurcharge };
  struct Payments {
    std::array<int64_t, 4> amounts = {};
    int64_t total = 0;
    int64_t change = 0;
  };

  const Command* Find(uint8_t code) const;
  uint8_t Admit(const Command& command, const uint8_t* request, size_t length);

  // Modes.
  uint8_t ModeNumber() const { return uint8_t(state_.mode & 0x0F); }
  uint8_t ReceiptType() const { return uint8_t(state_.mode >> 4); }
  bool Over24Hours(uint64_t nowMs) const;
  // The mode the register is in when no document or special mode is open.
  uint8_t BaseMode(uint64_t nowMs) const;
  void OpenShift(uint64_t nowMs);
  // Enters a special mode (test run, locked) remembering where to come back to.
  void EnterSpecialMode(uint8_t mode);
  void LeaveSpecialMode(uint64_t nowMs);
  // The shift must be open or openable for a new document: 0, 4Eh, 4Ah or 73h.
  uint8_t CanStartDocument() const;

  // Printing and documents.
  bool TwoDecimals() const { return (state_.flags & flag::kTwoDecimals) != 0; }
  size_t Width() const { return model_.printer.lineWidth; }
  std::string Money(int64_t units) const;
  void Print(StationMask stations, const std::string& text);
  void PrintDocumentStart(StationMask stations, const std::string& title, uint64_t nowMs);
  void PrintDocumentEnd(StationMask stations);
  void EndDocument();
  // Tells the observer of an operation of the command being run, in the document being built.
  void Record(FiscalOperation::Kind kind, int64_t amount, const std::string& text = {},
              uint8_t taxGroup = 0);

  // Receipts (shared by the tape and the slip).
  uint8_t ParseItem(const uint8_t* params, size_t textLength, Item& item) const;
  uint8_t CheckItem(const Item& item, uint8_t type, bool storno) const;
  void RegisterItem(const Item& item, uint8_t type, bool storno);
  uint8_t CheckAdjustment(Adjustment kind, int64_t amount, const std::array<uint8_t, 4>& taxes,
                          uint8_t type) const;
  void RegisterAdjustment(Adjustment kind, int64_t amount, const std::array<uint8_t, 4>& taxes,
                          uint8_t type);
  uint8_t CheckPayments(const uint8_t* amounts, uint8_t type, Payments& payments) const;
  void RegisterPayments(const Payments& payments, uint8_t type);
  void PrintTotals(const Payments& payments, uint8_t type, const std::string& text);
  uint8_t OpenReceipt(uint8_t type, uint64_t nowMs);
  uint8_t ItemCommand(const Request& request, uint8_t type, bool storno);
  uint8_t AdjustmentCommand(const Request& request, Adjustment kind);
  std::string PaymentName(uint8_t type) const;

  // Reports.
  void PrintShiftTotals(StationMask stations);
  // Enters a long report's mode until its last line is printed.
  void StartReport(uint8_t mode);
  void PrintFiscalReport(bool full, const std::vector<const ShiftRecord*>& records,
                         const std::string& range);

  // Handlers: service and printing.
  uint8_t InterruptDataOutput(const Request&, Answer&);
  uint8_t GetStatus(const Request&, Answer&);
  uint8_t SetExchangeParams(const Request&, Answer&);
  uint8_t PrintString(const Request&, Answer&);
  uint8_t PrintStringWithFont(const Request&, Answer&);
  uint8_t StartTestRun(const Request&, Answer&);
  uint8_t InterruptTest(const Request&, Answer&);
  uint8_t GetCashRegister(const Request&, Answer&);
  uint8_t GetOperationRegister(const Request&, Answer&);
  uint8_t CutPaper(const Request&, Answer&);
  uint8_t CashIn(const Request&, Answer&);
  uint8_t CashOut(const Request&, Answer&);
  uint8_t ContinuePrint(const Request&, Answer&);
  uint8_t GetDeviceType(const Request&, Answer&);
  // Tables.
  uint8_t WriteTable(const Request&, Answer&);
  uint8_t ReadTable(const Request&, Answer&);
  uint8_t GetTableStructure(const Request&, Answer&);
  // Date and time.
  uint8_t SetDeviceTime(const Request&, Answer&);
  uint8_t SetDeviceDate(const Request&, Answer&);
  uint8_t ConfirmDate(const Request&, Answer&);
  // Reports and fiscal memory.
  uint8_t PrintReportX(const Request&, Answer&);
  uint8_t PrintReportZ(const Request&, Answer&);
  uint8_t GetLastFiscalRecordDate(const Request&, Answer&);
  uint8_t EnterTaxPassword(const Request&, Answer&);
  uint8_t FiscalReportByDates(const Request&, Answer&);
  uint8_t FiscalReportByShifts(const Request&, Answer&);
  // Receipts.
  uint8_t Sale(const Request&, Answer&);
  uint8_t Purchase(const Request&, Answer&);
  uint8_t ReturnSale(const Request&, Answer&);
  uint8_t ReturnPurchase(const Request&, Answer&);
  uint8_t Storno(const Request&, Answer&);
  uint8_t CloseReceipt(const Request&, Answer&);
  uint8_t Discount(const Request&, Answer&);
  uint8_t Surcharge(const Request&, Answer&);
  uint8_t AnnulReceipt(const Request&, Answer&);
  uint8_t Subtotal(const Request&, Answer&);
  uint8_t StornoDiscount(const Request&, Answer&);
  uint8_t StornoSurcharge(const Request&, Answer&);
  uint8_t RepeatDocument(const Request&, Answer&);
  // Slip documents.
  uint8_t OpenSlipDocument(const Request&, Answer&);
  uint8_t SlipOperation(const Request&, Answer&);
  uint8_t SlipAdjustment(const Request&, Answer&);
  uint8_t CloseSlipReceipt(const Request&, Answer&);
  uint8_t FillSlipBuffer(const Request&, Answer&);
  uint8_t PrintSlip(const Request&, Answer&);
  void PutSlipLine(uint8_t line, const std::string& text);

  RegisterState state_;
  DeviceModel model_;
  SimulatorFaults& faults_;
  SimulatorCounters& counters_;
  Printer printer_;
  Tables tables_;
  uint8_t byteTimeout_ = 200;
  std::optional<uint32_t> requestedBaudRate_;
  FiscalOperationObserver operationObserver_;
  uint8_t runningCode_ = 0;  // the command being run

  uint64_t lastNowMs_ = 0;
  int64_t clockShiftMs_ = 0;  // set date and time less the clock's own run
  // Printing a report: the mode to return to when its last line is out.
  uint8_t modeAfterReport_ = kModeShiftClosed;
  bool longReport_ = false;  // the command being run prints a long report
  // The mode a special mode (test run, locked, data output) returns to.
  std::optional<uint8_t> modeBeforeSpecial_;
  // SetDeviceDate's date, waiting for ConfirmDate.
  std::optional<platform::LocalTime> pendingDate_;
  uint8_t slipType_ = 0;                       // the receipt type of the open slip document
  std::map<uint8_t, std::string> slipBuffer_;  // line number -> text
  std::vector<std::string> document_;          // the receipt-tape lines of this document
  std::vector<std::string> lastDocument_;      // of the last one, for RepeatDocument
};

}  // namespace orn::simulator
