#pragma once
// The register as the driver sees it: the framed exchange with its handshake over the
// serial port, the connection search, one operation per register command, and the cached
// answers. Every operation returns success or failure and leaves the error triple set.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "device/Commands.h"
#include "device/DeviceStatus.h"
#include "device/ErrorTriple.h"
#include "device/Protocol.h"
#include "device/SerialPort.h"
#include "device/UnsettledCommand.h"
#include "platform/Clock.h"
#include "platform/CommPort.h"

namespace orn::config {
class DriverLog;
}

namespace orn::device {

// Bit 0 journal, bit 1 receipt tape.
inline constexpr uint8_t kStationJournal = 0x01;
inline constexpr uint8_t kStationReceipt = 0x02;

enum class FieldKind : uint8_t { kNumber, kString };

// What the type answer says about the register.
struct DeviceType {
  uint8_t type = 0;
  uint8_t subtype = 0;
  uint8_t protocolVersion = 0;
  uint8_t protocolSubversion = 0;
  uint8_t model = 0;
  uint8_t language = 0;
  std::string name;  // at most 99 characters
};

// An item line of a receipt or a slip: quantity in thousandths, price in register units,
// the description printed with it.
struct ItemLine {
  int64_t quantity = 0;
  int64_t price = 0;
  std::string_view text;
};

// The four payments a receipt closes with (payment types 1 to 4), register units.
using Payments = std::array<int64_t, 4>;

// An amount spread over the tax groups: part[0] goes without a tax group, part[1] to part[4]
// with groups 1 to 4. The index is the tax group the part is sent with.
struct TaxParts {
  int64_t part[5] = {};
};

// A field of one of the register's settings tables, and how its value travels: a number of
// `size` bytes or a text field `size` bytes wide.
struct TableCell {
  uint8_t table = 0;
  uint16_t row = 0;
  uint8_t field = 0;
  FieldKind kind = FieldKind::kNumber;
  uint8_t size = 0;
};

// The value of a table field: `number` for a number field, `text` for a string field.
struct TableValue {
  uint32_t number = 0;
  std::string_view text;
  static TableValue Number(uint32_t number) { return {number, {}}; }
  static TableValue Text(std::string_view text) { return {0, text}; }
};

class FiscalDevice {
 public:
  static constexpr int kDefaultRetryLimit = 30;
  static constexpr int kProbeRetryLimit = 3;
  // Handshake rounds of one exchange, whatever the counters say: a register that keeps
  // acknowledging frames and keeps sending broken answers must not hold the driver.
  static constexpr int kRoundsPerRetry = 3;
  // A frame the register did not take goes out at most this often in one exchange.
  static constexpr int kMaxFrameWrites = 5;
  // No new handshake round starts after this long. Half a minute holds the longest honest
  // exchange: up to 10 s for the register to prepare its answer, a 256-byte answer at
  // 2400 baud (1.1 s), and that again after a line error. A register that takes longer is
  // better reported to the cashier than waited for.
  static constexpr uint32_t kExchangeBoundMs = 30 * 1000;
  static constexpr int kFirstPort = 1;
  static constexpr int kLastPort = 32;
  static constexpr size_t kMaxDeviceNameLength = 99;
  static constexpr size_t kTextField = 40;  // a short text travels as a padded field
  // A multi-line text prints at most this many characters a line.
  static constexpr size_t kMaxPrintedLine = 100;
  // Bounds on waiting for a register that never gets ready: a stuck printer must not hold
  // the point of sale for ever. Reaching one reports OPOS_E_TIMEOUT.
  // The bounds run from the last sign of progress: a change in the status the register
  // answers (mode, submode, flags, document number; not its clock). Printing an operation
  // takes seconds; a long report may print for many minutes without a change.
  static constexpr uint32_t kMaxPrintingWaitMs = 60 * 1000;
  static constexpr uint32_t kMaxLongReportWaitMs = 30 * 60 * 1000;
  // Paper reported missing by the submode while the sensors see it: the register is given
  // this long to agree with its sensors.
  static constexpr uint32_t kPaperDisagreementMs = 10 * 1000;
  // Paper out while the register waits to go on printing: how long the wait stays with
  // the cashier before the paper error is reported.
  static constexpr uint32_t kPaperOutWaitMs = 10 * 1000;
  static constexpr uint32_t kContinueWaitMs = 5000;
  static constexpr uint32_t kContinuePollMs = 100;
  static constexpr int kMaxContinueDepth = 4;
  static constexpr int kMaxContinueResends = 10;
  // Cash registers of the tax groups: 88 + 4 * (group - 1) + receipt type.
  static constexpr uint8_t kTaxTurnoverRegister = 88;

  FiscalDevice(platform::PortProvider& ports, platform::Clock& clock, config::DriverLog& log);

  // --- Configuration (from the registry) ---
  // A rate the register cannot be set to is taken as 4800, the rate its code stands for,
  // so that the port and the register never end up at different rates.
  void SetConnection(int comNumber, uint32_t baudRate);
  int ComNumber() const { return comNumber_; }
  uint32_t BaudRate() const { return baudRate_; }
  void SetPassword(uint32_t password) { password_ = password; }
  void SetTaxPassword(uint32_t password, bool present) {
    passwordNI_ = password;
    passwordNIPresent_ = present;
  }
  void SetFontNumber(uint32_t font) { fontNumber_ = font; }
  uint32_t FontNumber() const { return fontNumber_; }
  // Called with the port number when the search found the register on another port.
  void SetPortFoundHandler(std::function<void(int)> handler) { portFound_ = std::move(handler); }

  // --- The error triple ---
  ErrorTriple& Errors() { return errors_; }
  const ErrorTriple& Errors() const { return errors_; }
  int32_t ResultCode() const { return errors_.ResultCode(); }
  int32_t ResultCodeExtended() const { return errors_.ResultCodeExtended(); }
  const std::string& ErrorString() const { return errors_.ErrorString(); }
  void ResetError() { errors_.ResetError(); }
  int SetIllegal() { return errors_.SetIllegal(); }
  int SetExtendedError(int code) { return errors_.SetExtendedError(code); }

  // --- Link ---
  SerialPort& Port() { return port_; }
  const SerialPort& Port() const { return port_; }
  int RetryLimit() const { return retryLimit_; }
  uint8_t LastDeviceError() const { return lastDeviceError_; }
  // On (the default), a command whose frame the register acknowledged is never sent again
  // blindly: its outcome is asked of the register; and the receipt layer closes no receipt
  // whose subtotal at the register is not the one it built. Off only in tests that show
  // what the handling prevents.
  void SetExactlyOnce(bool on) { exactlyOnce_ = on; }
  bool ExactlyOnce() const { return exactlyOnce_; }
  // Where an unsettled command outlives the process (the registry, in the service); its
  // record is read back at once.
  void SetUnsettledStore(UnsettledStore* store);
  const UnsettledCommand& Unsettled() const { return unsettled_; }
  bool OutcomeUnknown() const { return unsettled_.state == UnsettledCommand::State::kUnknown; }
  // The caller has settled the command from the register's state (its document number).
  void ForgetUnsettled();
  // The register answered something (a control byte or a frame) since the last call.
  bool RegisterHeard() const { return registerHeard_; }
  // Sends the request in the request buffer (`length` bytes: code and parameters) and
  // decodes the answer.
  bool SendCommand(size_t length);
  // GetStatus with only three handshake rounds.
  bool Probe();
  // Opens the port at the configured rate and makes sure the register answers there.
  bool Connect(int portNumber);
  // The configured port at the configured rate, alone; else its other rates and ports
  // 1..32 side by side, with the outcome of Connect on each port in turn. On failure no
  // port is held.
  bool FindDevice();
  void Disconnect() { port_.Close(); }

  // --- Device state ---
  // The department sent with every item (80h, 82h, 84h, 73h): set and read by DirectIO.
  uint8_t Department() const { return department_; }
  void SetDepartment(uint8_t department) { department_ = department; }
  // Characters per print line: set when the type has been read (the claim, ornfr); the
  // packing of every text field and the method layer's line checks read it.
  int32_t LineWidth() const { return lineWidth_; }
  void SetLineWidth(int32_t width) { lineWidth_ = width; }

  // --- Commands ---
  bool GetStatus();
  bool GetDeviceType();
  bool SetExchangeParams(uint8_t baudRateCode, uint8_t byteTimeout);
  bool InterruptDataOutput();
  bool StartTestRun();
  bool InterruptTest();
  bool GetCashRegister(uint8_t number);
  bool GetOperationRegister(uint8_t number);
  // Sends the value of the cell's kind: a text cut or padded with zeros to the field, a
  // number's low bytes.
  bool WriteTable(const TableCell& cell, TableValue value);
  // The register's value of the cell's kind; its text is valid until the next ReadTable.
  std::optional<TableValue> ReadTable(const TableCell& cell);
  bool GetTableStructure(uint8_t table);
  // Hour, minute, second.
  bool SetDeviceTime(const uint8_t time[3]);
  // Day, month, year - 2000.
  bool SetDeviceDate(const uint8_t date[3]);
  bool ConfirmDate(const uint8_t date[3]);
  bool CutPaper();
  // 17h for model family 1, else 2Fh with the font.
  bool PrintString(uint8_t station, std::string_view text);
  bool PrintReportX();
  bool PrintReportZ();
  // The command only: the caller waits for the printing, so that a wait that fails is
  // not taken for cash the register did not take.
  bool CashIn(int64_t amount);
  bool CashOut(int64_t amount);
  bool GetLastFiscalRecordDate();
  bool EnterTaxPassword();
  // First and last date: day, month, year - 2000 each.
  bool FiscalReportByDates(uint8_t kind, const uint8_t first[3], const uint8_t last[3]);
  bool FiscalReportByShifts(uint8_t kind, uint16_t first, uint16_t last);
  // Slip documents: `line` is the slip line the command prints at. The document's seven
  // setting bytes are always 0.
  bool OpenSlipDocument(uint8_t documentType);
  bool SlipOperation(uint8_t line, const ItemLine& item, uint8_t taxGroup = 0);
  bool SlipSurcharge(uint8_t line, int64_t amount, std::string_view text, uint8_t taxGroup = 0);
  bool SlipDiscount(uint8_t line, int64_t amount, std::string_view text, uint8_t taxGroup = 0);
  bool CloseSlipReceipt(uint8_t line, const Payments& payments, std::string_view text);
  // The text goes as it is; a longer one than the request can hold is cut.
  bool FillSlipBuffer(uint8_t line, std::string_view text);
  bool PrintSlip();
  // Items and adjustments (amounts in register units); tax group 0 sends all four tax
  // bytes 0.
  bool Sale(const ItemLine& item, uint8_t taxGroup = 0);
  bool ReturnSale(const ItemLine& item, uint8_t taxGroup = 0);
  bool Storno(const ItemLine& item, uint8_t taxGroup = 0);
  bool Discount(int64_t amount, std::string_view text, uint8_t taxGroup = 0);
  bool Surcharge(int64_t amount, std::string_view text, uint8_t taxGroup = 0);
  bool StornoDiscount(int64_t amount, std::string_view text, uint8_t taxGroup = 0);
  bool StornoSurcharge(int64_t amount, std::string_view text, uint8_t taxGroup = 0);
  bool CloseReceipt(const Payments& payments, std::string_view text);
  bool AnnulReceipt();
  // The open receipt's subtotal in register units; none when the command failed.
  std::optional<int64_t> Subtotal();
  // What the items and adjustments since the last call did to the register's open receipt,
  // and back to none. The receipt layer adds the subtotal up to tell the receipt it built
  // from one the register opened anew after a reset; `started` tells a receipt the register
  // never opened (nothing reached it) from one it lost.
  struct ReceiptChange {
    int64_t subtotal = 0;  // register units the commands the register took moved it by
    // A command that opens the receipt was taken, or may have been (its answer was lost).
    bool started = false;
  };
  ReceiptChange TakeReceiptChange();
  bool RepeatDocument();
  bool ContinuePrint();
  // On the cached flags: journal paper, then receipt paper.
  bool CheckPaper();

  // --- Composite operations ---
  // Day, month, year - 2000, hour, minute; a date before the last fiscal record restores
  // the register's date confirmation and reports its error 13h.
  bool SetDateTime(const uint8_t dateTime[5]);
  bool WaitForPrinting(uint32_t pauseMs);
  bool CheckPrinting(uint32_t pauseMs);
  bool WaitContinue();
  // `resumeAt`, when given, gets where a call for the rest of the text must start: the
  // start of the first line not printed whole (the text's size when all was printed).
  bool PrintLines(uint8_t station, std::string_view text, size_t* resumeAt = nullptr);
  // Every line at the same slip line.
  bool PrintSlipLines(uint8_t line, std::string_view text);
  // Spreads `amount` over the tax groups by the receipt's turnover per group.
  std::optional<TaxParts> SplitByTax(int64_t amount);
  // The amount split over the tax groups; `text`, when not empty, is printed before the
  // parts, which go without a text.
  bool DiscountByTax(int64_t amount, std::string_view text);
  bool SurchargeByTax(int64_t amount, std::string_view text);
  bool StornoDiscountByTax(int64_t amount, std::string_view text);
  bool StornoSurchargeByTax(int64_t amount, std::string_view text);
  // One of Discount, Surcharge, StornoDiscount, StornoSurcharge.
  using TaxAdjustment = bool (FiscalDevice::*)(int64_t amount, std::string_view text,
                                               uint8_t taxGroup);
  // Sends the parts that are not 0 with `adjust`, each in its tax group and without a text,
  // and sets each to 0 once sent: a call repeated after a failure sends only the rest.
  bool SendTaxParts(TaxParts& parts, TaxAdjustment adjust);

  // OPOS currency in this register's units.
  int64_t ToRegisterUnits(int64_t currency) const;

  // Forgets the register's type answer and what it decided (model, line width), as before
  // the first GetDeviceType.
  void ForgetType();

  // --- Cached answers ---
  const uint8_t* StatusBlock() const { return status_; }
  uint16_t Flags() const { return flags_; }
  uint8_t ModeByte() const { return status_[status::kMode]; }
  uint8_t Submode() const { return status_[status::kSubmode]; }
  uint8_t MemoryFlags() const { return status_[status::kMemoryFlags]; }
  // The register's clock as the last status gave it: day, month, year - 2000; hour,
  // minute, second.
  const uint8_t* StatusDate() const { return status_ + status::kDate; }
  const uint8_t* StatusTime() const { return status_ + status::kTime; }
  uint16_t DocumentNumber() const {
    return uint16_t(status_[status::kDocumentNumber] | status_[status::kDocumentNumber + 1] << 8);
  }
  uint16_t CurrencyDivisor() const { return currencyDivisor_; }
  const DeviceType& Type() const { return deviceType_; }
  int ModelFamily() const { return modelFamily_; }
  int ModelCategory() const { return modelCategory_; }
  int64_t CashRegisterValue() const { return cashRegister_; }
  uint16_t OperationRegisterValue() const { return operationRegister_; }
  // Day, month, year - 2000 of the last fiscal memory record.
  const uint8_t* LastFiscalRecordDate() const { return lastRecordDate_; }
  const std::string& TableName() const { return tableName_; }
  uint16_t TableRowCount() const { return tableRows_; }
  uint8_t TableFieldCount() const { return tableFields_; }

  // The request buffer, for operations and tests.
  const uint8_t* Request() const { return request_; }
  // The data bytes of the last answer (after code and error code).
  const uint8_t* AnswerData() const { return answer_; }
  size_t AnswerDataLength() const { return answerDataLength_; }

 private:
  // Request building. Start writes the code and the command's password and returns the
  // position after them, or 0 when the command needs a password that is not configured.
  size_t Start(const Command& command);
  // The request of the command last started has the length its layout gives.
  bool RequestLengthMatches(size_t length);
  size_t PutByte(size_t at, uint8_t value);
  size_t PutInteger(size_t at, uint64_t value, int bytes);
  size_t PutBytes(size_t at, const uint8_t* bytes, size_t count);
  size_t PutTaxBytes(size_t at, uint8_t taxGroup);
  size_t PutMoney(size_t at, int64_t amount);
  // Code, password, table, row and field: the start of a table read or write.
  size_t PutTableCell(const Command& command, const TableCell& cell);
  size_t PutPayments(size_t at, const Payments& payments);
  // The text packed into its field; returns the request length.
  size_t PutText(size_t at, std::string_view text);
  bool Simple(const Command& command);
  // `direction` is how the command moves the open receipt's subtotal: +1 adds its amount,
  // -1 takes it off.
  bool Item(const Command& command, const ItemLine& item, uint8_t taxGroup, int direction);
  bool Adjustment(const Command& command, int64_t amount, std::string_view text, uint8_t taxGroup,
                  int direction);
  // Notes an item or adjustment command that was sent; `subtotalChange` counts only when
  // the register took it.
  bool NoteReceiptCommand(bool taken, int64_t subtotalChange);
  bool SlipAdjustment(uint8_t surcharge, uint8_t line, int64_t amount, std::string_view text,
                      uint8_t taxGroup);
  bool CashOperation(const Command& command, int64_t amount);
  bool DateCommand(const Command& command, const uint8_t* fields);
  bool AdjustByTax(int64_t amount, std::string_view text, TaxAdjustment adjust);
  // PrintString at a station, or FillSlipBuffer at a slip line.
  using LinePrinter = bool (FiscalDevice::*)(uint8_t where, std::string_view line);
  bool PrintTextLines(std::string_view text, LinePrinter print, uint8_t where,
                      size_t* resumeAt = nullptr);
  bool WaitPrintingStep(uint32_t pauseMs, bool& done);
  bool TimedOut();
  bool UnknownSubmode(int current);

  // The connection search (FiscalConnect.cpp, PortSearch.cpp).
  bool OpenPort(int portNumber);
  // After a probe at the configured rate failed: whether another rate may find the register.
  bool OtherRatesMayHelp(int portNumber);
  // The rates of the table but the configured one, in table order, on the open port.
  bool SearchOtherRates();
  // A register found at another rate is moved to the configured one.
  bool MoveToConfiguredRate();
  bool SearchSideBySide(bool configuredPortOpen);
  // A device of its own for one port of the search, set up as this one.
  std::unique_ptr<FiscalDevice> MakeProbe(config::DriverLog& log);
  // What a failed probe left, as the next port's Connect would have found it.
  void CarryOutcomeOf(const FiscalDevice& probe, const std::string& errorTextAtStart);
  // The port a probe found the register on, with what the probe learnt.
  void TakeLinkOf(FiscalDevice& probe);
  // The status the register answered last time the printing showed progress, and when.
  struct PrintingProgress {
    uint8_t seen[status::kSize];
    uint32_t since;
  };
  void StartProgress(PrintingProgress& progress);
  // Notes a change of the status; true once the printing shows none for longer than its
  // kind of printing takes.
  bool Stalled(PrintingProgress& progress);

  // The exchange of one frame (FiscalExchange.cpp), step by step.
  enum class ExchangeResult { kAnswered, kNoConnection, kOutcomeUnknown };
  struct ExchangeProgress;
  // How a round of the exchange ended: on to the next round, the exchange given up, or its
  // result.
  enum class Round { kNext, kGiveUp, kAnswered, kNoConnection, kOutcomeUnknown };
  ExchangeResult Exchange(const uint8_t* frame, uint32_t size, Effect effect);
  // The retry of an unsettled command's frame: answered from what was learnt, refused when
  // its outcome is unknown, or sent on as a frame the register took.
  std::optional<ExchangeResult> SettleRetry(ExchangeProgress& progress);
  // ENQ, and what the register's reply to it asks for next.
  Round OfferRound(ExchangeProgress& progress);
  // ACK: the answer the register holds, this frame's or an earlier command's.
  Round TakeHeldAnswer(ExchangeProgress& progress);
  // NAK: the register is ready for the frame, unless it may have taken it already.
  Round SendFrame(ExchangeProgress& progress);
  Round Answered(const ExchangeProgress& progress);
  ExchangeResult GiveUp(const ExchangeProgress& progress);
  static ExchangeResult Result(Round round);
  // The first round of an exchange while a command is unsettled: its late answer, a retry
  // of it, or the news that the register holds no answer.
  bool SettleFromHeldAnswer(const uint8_t* frame, uint32_t size);
  void SaveUnsettled();
  void KeepUnsettled(const uint8_t* frame, uint32_t size, UnsettledCommand::State state);
  bool ReceiveAnswer();
  // The answer after its STX: length, message, check byte; then ACK or NAK for it.
  bool ReceiveAnswerBody();
  void DrainLine();
  bool RegisterKeepsWaitingForContinue();
  bool ReadControlByte(uint8_t& byte);
  bool DecodeAnswer(uint8_t expectedCode);
  void DecodeAnswerData(uint8_t code);
  void DecodeStatus();
  void DecodeDeviceType();
  void DecodeTable();
  bool MalformedAnswer(const char* text);

  SerialPort port_;
  platform::Clock& clock_;
  config::DriverLog& log_;
  ErrorTriple errors_;
  std::function<void(int)> portFound_;

  int comNumber_ = 1;
  uint32_t baudRate_ = 4800;
  uint32_t password_ = 0;
  uint32_t passwordNI_ = 0;
  bool passwordNIPresent_ = false;
  int retryLimit_ = kDefaultRetryLimit;
  uint8_t lastDeviceError_ = 0;
  bool exactlyOnce_ = true;
  bool registerHeard_ = false;
  const Command* sending_ = nullptr;  // the command of the request being sent
  UnsettledCommand unsettled_;
  UnsettledStore* unsettledStore_ = nullptr;

  uint8_t request_[kMaxRequest] = {};
  const Command* building_ = nullptr;  // the command whose request is being built
  uint8_t answerLength_ = 0;
  uint8_t answer_[kFrameBuffer] = {};
  size_t answerDataLength_ = 0;

  uint8_t status_[status::kSize] = {};
  uint16_t flags_ = 0;
  uint16_t currencyDivisor_ = 100;
  DeviceType deviceType_;
  int modelFamily_ = 0;
  int modelCategory_ = 0;
  uint32_t fontNumber_ = 1;
  int64_t cashRegister_ = 0;
  ReceiptChange receiptChange_;  // see TakeReceiptChange
  uint16_t operationRegister_ = 0;
  uint8_t lastRecordDate_[3] = {};
  std::string tableName_;
  // The cell of the table read under way, which its answer's decoder needs, and the value
  // it decoded; a text in its own buffer.
  TableCell readCell_;
  uint32_t tableNumber_ = 0;
  char tableText_[kFrameBuffer] = {};
  size_t tableTextLength_ = 0;
  int64_t subtotal_ = 0;
  uint8_t department_ = 1;
  int32_t lineWidth_ = 0;
  uint16_t tableRows_ = 0;
  uint8_t tableFields_ = 0;
  int continueDepth_ = 0;  // ContinuePrint inside WaitContinue inside ContinuePrint ...
};

}  // namespace orn::device
