#pragma once
// The OPOS FiscalPrinter service object: one C++ member per IFptr method, with the
// interface's argument order, each returning the OPOS result code. Texts cross this
// boundary as UTF-16, currency as int64_t (amount x 10000); inside, texts are Windows-1251
// strings. The COM adapter converts BSTR, CURRENCY and VARIANT_BOOL and forwards, one line
// per method; nothing here throws.
//
// The members are grouped by the file of driver/service/ that defines them, one section a
// file under its name ("=== Name.cpp"), the IFptr methods of a file first; the interface's
// order is the type library's (FPTRLib.idl.in). The data members follow the sections.

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/DriverLog.h"
#include "config/DriverParams.h"
#include "device/FiscalDevice.h"
#include "platform/CommPort.h"
#include "platform/Platform.h"
#include "receipt/OposText.h"
#include "receipt/ReceiptState.h"
#include "receipt/StateStore.h"
#include "receipt/UnsettledRecord.h"
#include "service/MethodList.h"

namespace orn::service {

class FptrService {
  // --- Types the sections below share ---

  // One parameter of a method as the log shows it.
  struct LogArg {
    enum Kind { kNumber, kFlag, kCurrency, kText } kind;
    const char* name;
    int64_t number = 0;
    std::u16string_view text;
  };
  static LogArg Number(const char* name, int32_t value) {
    return {LogArg::kNumber, name, value, {}};
  }
  static LogArg Flag(const char* name, bool value) { return {LogArg::kFlag, name, value, {}}; }
  static LogArg Money(const char* name, int64_t value) {
    return {LogArg::kCurrency, name, value, {}};
  }
  static LogArg Text(const char* name, std::u16string_view value) {
    return {LogArg::kText, name, 0, value};
  }

  // The variable capabilities, derived from the register model at claim time.
  struct Capabilities {
    bool coverSensor = false;
    bool doubleWidth = false;
    bool duplicateReceipt = false;
    bool jrnEmptySensor = false;
    bool jrnNearEndSensor = false;
    bool jrnPresent = false;
    bool recEmptySensor = false;
    bool recNearEndSensor = false;
    bool recPresent = false;
    bool slpEmptySensor = false;
    bool slpFiscalDocument = false;
    bool slpNearEndSensor = false;
    bool slpPresent = false;
  };

  // Steps of a method already done, for a call repeated after a failure.
  enum RetryStep {
    kMainStepDone = 0,
    kPreLineDone = 1,
    kPostLineDone = 2,
    kTaxSplitDone = 3,
    kDescriptionPrinted = 4,  // of a subtotal adjustment, on a line of its own
  };
  // What a method called again after a failure must not do again: the steps that
  // succeeded, and how far a step of several register commands got. A new method and a
  // method that ends well clear it (`= {}`).
  struct RetrySteps {
    std::array<bool, 5> done{};
    size_t textPrinted = 0;  // bytes of a multi-line text printed whole
    // The tax parts of a subtotal adjustment (or its void) not yet registered.
    device::TaxParts taxPartsLeft;
    // The register's document number before the command that makes the method's document
    // (cash in or out, the close, a report) was first sent: if its answer is lost, a new
    // number says the register made the document.
    std::optional<uint16_t> documentBefore;
    bool& operator[](RetryStep step) { return done[step]; }
  };

  // === FptrService.cpp ===
 public:
  // Touches neither the registry nor a port: OpenService does. `ports` hands out COM ports
  // by number (OrnComm.dll in the product, the virtual line in tests).
  FptrService(const platform::Platform& platform, platform::PortProvider& ports);
  FptrService(const FptrService&) = delete;
  FptrService& operator=(const FptrService&) = delete;

  // For tests and the bench: the state the properties report.
  bool Opened() const { return opened_; }
  bool Claimed() const { return claimed_; }
  int32_t State() const { return state_; }
  const device::FiscalDevice& Device() const { return device_; }
  const config::DriverParams& Params() const { return params_; }
  const receipt::ReceiptState& Receipt() const { return receipt_; }

  // === CommonMethods.cpp ===
  int32_t OpenResult();
  int32_t COFreezeEvents(bool freeze);
  // `data` and `string` are in/out.
  int32_t ClearOutput();
  int32_t DirectIO(int32_t command, int32_t& data, std::u16string& string);
  int32_t ClearError();
  int32_t SetCurrency(int32_t newCurrency);
  int32_t GetOpenResult();

  // === Lifecycle.cpp ===
  // `dispatch` (the control's IDispatch) is not used.
  int32_t OpenService(std::u16string_view deviceClass, std::u16string_view deviceName,
                      void* dispatch);
  int32_t CloseService();
  int32_t ClaimDevice(int32_t timeout);
  int32_t ReleaseDevice();

 private:
  void ApplyParams();
  // Hands the port back and clears the open, claimed and enabled flags.
  void ShutDown();
  // Back to what a new object knows of the register: nothing of its model, capabilities
  // and tables until the next claim reads them.
  void ForgetRegister();
  // Back to a new object's receipt state, in memory only: the stored one is loaded next.
  void ForgetReceipt();
  bool StartDevice();
  void StartupMode(bool& documentOpen);
  bool StartupTables();
  bool WriteTableNumber(uint8_t table, uint16_t row, uint8_t field, uint32_t value);
  bool WriteTableString(uint8_t table, uint16_t row, uint8_t field, const std::string& value);
  bool ReadTableString(uint8_t table, uint16_t row, uint8_t field, std::string& value);
  void ReadHeaderAndTrailer();

  // === ApplyDeviceType.cpp ===
  bool ApplyDeviceType();

  // === HealthCheck.cpp ===
 public:
  int32_t CheckHealth(int32_t level);

 private:
  void InternalCheck();
  void ExternalCheck();
  // What the driver itself cannot do as it should: keep the receipt state, write its log.
  void AddDriverFindings();

  // === PropertyTable.cpp: one row per PIDX index ===
 public:
  // `number` is left as the caller set it for an index without a value.
  int32_t GetPropertyNumber(int32_t propIndex, int32_t& number);
  int32_t SetPropertyNumber(int32_t propIndex, int32_t number);
  int32_t GetPropertyString(int32_t propIndex, std::u16string& string);
  int32_t SetPropertyString(int32_t propIndex, std::u16string_view string);

 private:
  struct NumberProperty {
    int32_t index;
    const char* name;
    int32_t constant;  // the value when there is no getter
    // False when the value could not be had (pNumber stays as it was).
    bool (*get)(FptrService&, int32_t& value) = nullptr;
    // Null: read-only, setting it is illegal.
    void (*set)(FptrService&, int32_t number) = nullptr;
  };
  struct StringProperty {
    int32_t index;
    const char* name;
    std::string (*get)(const FptrService&);
    std::string FptrService::*settable = nullptr;
  };
  // Row helpers: a member as the number, a capability, status flags, storing a flag or a
  // value, a text.
  template <auto member>
  static bool Get(FptrService& s, int32_t& value) {
    value = int32_t(s.*member);
    return true;
  }
  template <auto capability>
  static bool GetCap(FptrService& s, int32_t& value) {
    value = s.caps_.*capability;
    return true;
  }
  // 1 when all `bits` of the status flags are clear; `ask` reads the status first.
  template <uint16_t bits, bool ask>
  static bool FlagsClear(FptrService& s, int32_t& value) {
    if (ask && !s.AskStatusForProperty()) return false;
    value = (s.device_.Flags() & bits) == 0;
    return true;
  }
  template <auto member>
  static void StoreFlag(FptrService& s, int32_t number) {
    s.*member = number != 0;
  }
  template <auto member>
  static void Store(FptrService& s, int32_t number) {
    s.*member = number;
  }
  template <auto member>
  static std::string GetText(const FptrService& s) {
    return s.*member;
  }
  static const NumberProperty kNumberProperties[];
  static const StringProperty kStringProperties[];

 public:
  // The rows of the property tables, for tools that print the reference of the properties.
  static std::span<const NumberProperty> NumberProperties();
  static std::span<const StringProperty> StringProperties();

 private:
  static const NumberProperty* FindNumberProperty(int32_t index);
  static const StringProperty* FindStringProperty(int32_t index);
  // A status request made to read a property. The property read leaves the outcome of the
  // method before it alone: a clean answer does not clear its error, and a failed request
  // does not replace it (the log keeps the exchange).
  bool AskStatusForProperty();
  void SetFiscalReceiptStation(int32_t number);
  void SetFiscalReceiptType(int32_t number);
  std::string PredefinedPaymentLines() const;

  // === MethodFrame.cpp: the frame every method runs (log the call, record the method,
  // reset the error triple, the work, log the result) ===
  template <typename Work>
  int32_t Call(Method method, std::initializer_list<LogArg> args, Work&& work) {
    LogCall(method, args);
    EnterMethod(method, args);
    work();
    return Finish();
  }
  void LogCall(Method method, std::initializer_list<LogArg> args);
  // Records the method and its arguments, and resets the error triple. The retry steps
  // belong to one call: another method, or the same method with other arguments, is a new
  // call and clears them, so that no step it asks for is skipped as already done.
  void EnterMethod(Method method, std::initializer_list<LogArg> args = {});
  void RecordMethod(Method method, std::initializer_list<LogArg> args = {});
  // The arguments of a call as one string that two calls share only when every argument is
  // the same: each one's kind, its number in four 16-bit pieces, its text's length and text.
  static std::u16string ArgumentsKey(std::initializer_list<LogArg> args);
  // Logs the result block and returns ResultCode.
  int32_t Finish();
  // A method that comes with a later release of the driver: logged, answered illegal.
  int32_t NotSupported(Method method, std::initializer_list<LogArg> args);

  // === TextBoundary.cpp: application text in and out ===
  // At most 1000 bytes, OEM when Codepage866 is set. The results are fresh strings: no
  // buffer is shared between objects.
  std::string FromApp(std::u16string_view text);
  std::u16string ToApp(std::string_view text);

  // === ReceiptMethods.cpp: the fiscal receipt's start, items, adjustments, refunds, voids
  // and printed lines ===
 public:
  int32_t BeginFiscalReceipt(bool printHeader);
  int32_t PrintRecItem(std::u16string_view description, int64_t price, int32_t quantity,
                       int32_t vatInfo, int64_t unitPrice, std::u16string_view unitName);
  int32_t PrintRecItemAdjustment(int32_t adjustmentType, std::u16string_view description,
                                 int64_t amount, int32_t vatInfo);
  int32_t PrintRecMessage(std::u16string_view message);
  int32_t PrintRecNotPaid(std::u16string_view description, int64_t amount);
  int32_t PrintRecRefund(std::u16string_view description, int64_t amount, int32_t vatInfo);
  int32_t PrintRecSubtotal(int64_t amount);
  int32_t PrintRecSubtotalAdjustment(int32_t adjustmentType, std::u16string_view description,
                                     int64_t amount);
  int32_t PrintRecVoid(std::u16string_view description);
  int32_t PrintRecVoidItem(std::u16string_view description, int64_t amount, int32_t quantity,
                           int32_t adjustmentType, int64_t adjustment, int32_t vatInfo);
  int32_t VerifyItem(std::u16string_view itemName, int32_t vatID);
  int32_t PrintRecItemFuel(std::u16string_view description, int64_t price, int32_t quantity,
                           int32_t vatInfo, int64_t unitPrice, std::u16string_view unitName,
                           int64_t specialTax, std::u16string_view specialTaxName);
  int32_t PrintRecItemFuelVoid(std::u16string_view description, int64_t price, int32_t vatInfo,
                               int64_t specialTax);
  int32_t PrintRecPackageAdjustment(int32_t adjustmentType, std::u16string_view description,
                                    std::u16string_view vatAdjustment);
  int32_t PrintRecPackageAdjustVoid(int32_t adjustmentType, std::u16string_view vatAdjustment);
  int32_t PrintRecRefundVoid(std::u16string_view description, int64_t amount, int32_t vatInfo);
  int32_t PrintRecSubtotalAdjustVoid(int32_t adjustmentType, int64_t amount);
  int32_t PrintRecTaxID(std::u16string_view taxID);

  // === ReceiptSteps.cpp: the register steps of the receipt methods (register units) ===
 private:
  bool SellItem(const device::ItemLine& item, int32_t vatInfo);
  bool AdjustItem(int32_t adjustmentType, const std::string& description, int64_t amount,
                  int32_t vatInfo);
  bool AdjustSubtotal(int32_t adjustmentType, const std::string& description, int64_t amount);
  bool VoidSubtotalAdjustment(int32_t adjustmentType, int64_t amount);
  bool AdjustSubtotalByTax(int32_t adjustmentType, const std::string& description, int64_t amount,
                           device::FiscalDevice::TaxAdjustment adjust);
  // The latest adjustment of `adjustmentType` and `amount` this receipt holds, by its place
  // in subtotalAdjustments_; -1 when there is none.
  int FindSubtotalAdjustment(int32_t adjustmentType, int64_t amount) const;
  // An item sold or refunded: the base of the adjustments that follow it.
  void NoteLastItem(int64_t amount);

  // === ReceiptEnd.cpp: closing, cancelling and finishing a receipt; the copy of the last
  // document ===
 public:
  int32_t EndFiscalReceipt(bool printHeader);
  int32_t PrintDuplicateReceipt();

 private:
  bool EndSalesReceipt();
  bool EndCashReceipt();
  bool EndSlipReceipt();
  // Sends the command that makes the current document once the document number before it
  // is known; a lost answer is settled by the number the register shows afterwards.
  bool MakeDocument(const std::function<bool()>& command);
  bool DocumentMade();
  // The document is made: nothing is unsettled, and the method goes on as after success.
  bool DocumentSettled();
  bool CancelOpenReceipt();
  bool PrintReceiptEnd();
  bool PrintHeaderBlock();
  void ResetReceiptTotals();
  // What this object remembers of the receipt beside the receipt state: the cash paid, the
  // last item, the subtotal adjustments, whether it is a refund or holds a sale.
  void ForgetReceiptMemory();
  // The register lost the open receipt: OPOS_E_FAILURE with `text`, the receipt's totals
  // reset and the printer back in monitor state. Returns false.
  bool ReceiptLost(const char* text);

  // === PaymentMethods.cpp: the payments, collected in the driver until the close ===
 public:
  int32_t PrintRecTotal(int64_t total, int64_t payment, std::u16string_view description);
  int32_t PrintRecCash(int64_t amount);

 private:
  // The register's subtotal. On the receipt station it must be that of the receipt the
  // driver built: a register that was reset dropped the open receipt, and the items sent
  // after it opened another holding only those. Such a receipt is annulled, not closed, and
  // the method fails with the receipt back in monitor state.
  std::optional<int64_t> ReadReceiptSubtotal();
  bool CheckTotalAgainstRegister(int64_t total);
  bool RegisterPayment(int payType, int64_t payment);
  int64_t PaymentTotal() const;
  // The four payment sums the receipt closes with.
  device::Payments PaymentSums() const;

  // === PayTypes.cpp ===
  // The configured payment type of a description (the converted text), or -1.
  int FindPayType(std::string_view description) const;

  // === PreLines.cpp: the operations the fiscal methods share ===
  bool PrintPreLine();
  bool PrintPostLine();
  bool PrintPendingLine(std::string& text, bool& done);
  // One line on the fiscal receipt station: the receipt tape, or the slip buffer.
  bool PrintTextLine(const std::string& text, uint8_t stationFlags);
  // `left` padded to the line width less `right`, then `right` (a longer `left` is kept).
  bool PrintTwoColumnLine(const std::string& left, const std::string& right);

  // === ReceiptChecks.cpp: the argument checks of the receipt methods ===
  // Each logs why it failed and sets the error triple.
  bool CheckState(std::initializer_list<int32_t> accepted);
  bool CheckQuantity(int32_t quantity);
  bool CheckPrice(int64_t price);
  bool CheckAmount(int64_t amount);
  bool CheckAdjustment(int32_t adjustmentType, int64_t amount);
  bool CheckVatInfo(int32_t vatInfo);
  bool CheckTextLength(std::u16string_view text);
  bool CheckSalesOnly();
  bool CheckReceiptStation();
  // OPOS_E_ILLEGAL with `text` as the error text, also logged; returns false.
  bool Refuse(const char* text);

  // === DocumentMethods.cpp: non-fiscal, fixed-output and slip documents ===
 public:
  int32_t BeginFiscalDocument(int32_t documentAmount);
  int32_t BeginFixedOutput(int32_t station, int32_t documentType);
  int32_t BeginInsertion(int32_t timeout);
  int32_t BeginItemList(int32_t vatID);
  int32_t BeginNonFiscal();
  int32_t BeginRemoval(int32_t timeout);
  int32_t BeginTraining();
  int32_t EndFiscalDocument();
  int32_t EndFixedOutput();
  int32_t EndInsertion();
  int32_t EndItemList();
  int32_t EndNonFiscal();
  int32_t EndRemoval();
  int32_t EndTraining();
  int32_t PrintFiscalDocumentLine(std::u16string_view documentLine);
  int32_t PrintFixedOutput(int32_t documentType, int32_t lineNumber, std::u16string_view data);
  int32_t PrintNormal(int32_t station, std::u16string_view data);

 private:
  bool CheckSlipFiscalDocument();
  // Polls the status until a slip is in (`inserted`) or out; timeout 0 looks once.
  void WaitForSlip(int32_t timeout, bool inserted);

  // === ReportMethods.cpp: reports, data and totals ===
 public:
  // Out parameters: `optArgs`, `data`, `date`, `vatRate`.
  int32_t GetData(int32_t dataItem, int32_t& optArgs, std::u16string& data);
  int32_t GetDate(std::u16string& date);
  int32_t GetTotalizer(int32_t vatID, int32_t optArgs, std::u16string& data);
  int32_t GetVatEntry(int32_t vatID, int32_t optArgs, int32_t& vatRate);
  int32_t PrintPeriodicTotalsReport(std::u16string_view date1, std::u16string_view date2);
  int32_t PrintPowerLossReport();
  int32_t PrintReport(int32_t reportType, std::u16string_view startNum, std::u16string_view endNum);
  int32_t PrintXReport();
  int32_t PrintZReport();

 private:
  // An OPOS date (114/219 when it is not one) and a whole number 0..65535 (logged and
  // illegal when it is not one).
  bool ParseDateArgument(std::u16string_view text, receipt::RegisterDateTime& date);
  bool ParseWordArgument(std::u16string_view text, uint16_t& value);
  // Sends a report's command once: a call repeated after the register took it (paper ran
  // out while it printed) only waits for the printing to end. With `settleByNumber` a lost
  // answer is settled by the register's document number (MakeDocument).
  bool PrintReportOnce(const std::function<bool()>& command, bool settleByNumber = true);
  // The register's shift open for the Z report: as it is, or opened by a receipt of zero.
  bool OpenShiftForZReport();
  std::string DataItemText(int32_t dataItem, int32_t selector);
  // Register units; false with the triple set when refused or a command failed.
  bool ReadTotalizer(int32_t totalizer, int64_t& value);

  // === SettingsMethods.cpp: the register's date, header and trailer lines, tax rates ===
 public:
  int32_t ResetPrinter();
  int32_t SetDate(std::u16string_view date);
  int32_t SetHeaderLine(int32_t lineNumber, std::u16string_view text, bool doubleWidth);
  int32_t SetPOSID(std::u16string_view posID, std::u16string_view cashierID);
  int32_t SetStoreFiscalID(std::u16string_view id);
  int32_t SetTrailerLine(int32_t lineNumber, std::u16string_view text, bool doubleWidth);
  int32_t SetVatTable();
  int32_t SetVatValue(int32_t vatID, std::u16string_view vatValue);

 private:
  // A header or trailer line kept and written to table 4.
  void SetTextLine(std::vector<std::string>& lines, int32_t lineNumber, uint16_t row,
                   std::u16string_view text);

  // --- Data ---

  config::DriverLog log_;
  config::DriverParams params_;
  device::FiscalDevice device_;
  // The state that outlives the process, and the two that keep theirs there: the receipt's
  // and the device's unsettled command.
  receipt::StateStore stateStore_;
  receipt::ReceiptState receipt_;
  receipt::UnsettledRecord unsettledRecord_;
  platform::TextConverter& text_;
  platform::Clock& clock_;

  // Service state.
  bool opened_ = false;
  bool claimed_ = false;
  bool portOpen_ = false;
  int32_t state_ = 1;  // OPOS_S_CLOSED
  int32_t openResult_ = 0;
  bool deviceEnabled_ = false;
  bool dataEventEnabled_ = false;
  bool freezeEvents_ = false;
  bool powerNotify_ = false;
  Method methodNumber_ = Method::kNone;
  // The arguments of the call the retry steps belong to, each exactly as it came.
  std::u16string callArguments_;
  // Steps of the running method already done: item registered, pre-line, post-line, the
  // tax split of a subtotal adjustment, the part of the additional header printed.
  RetrySteps retrySteps_{};
  std::string checkHealthText_;
  std::string deviceDescription_;

  // Property state.
  bool checkTotal_ = false;
  bool flagWhenIdle_ = false;
  bool duplicateReceipt_ = false;
  bool dayOpened_ = false;
  int32_t dateType_ = 4;
  int32_t fiscalReceiptStation_ = 1;
  int32_t fiscalReceiptType_ = 4;
  bool stationIsReceipt_ = true;
  int32_t messageType_ = 24;
  int32_t totalizerType_ = 2;
  int32_t numHeaderLines_ = 0;
  int32_t numTrailerLines_ = 0;
  int32_t firstHeaderRow_ = 0;
  Capabilities caps_;
  std::string preLine_;
  std::string postLine_;
  std::string additionalHeader_;

  // Receipt state the fiscal methods share (not persisted).
  bool refundReceipt_ = false;
  // Register units of the open cash-in or cash-out receipt.
  int64_t cashAmount_ = 0;
  // Register units of the last item sold or refunded in the open receipt, the base of a
  // percentage item adjustment; there is none before the receipt's first item.
  int64_t lastItemAmount_ = 0;
  bool lastItemKnown_ = false;
  // What is left of that item after its adjustments: no discount may take more.
  int64_t lastItemLeft_ = 0;
  // A subtotal adjustment the register took in the open receipt, kept for its void: the
  // parts it went out in (the part without a tax group, then groups 1..4), so that the void
  // gives back exactly what the adjustment took, group by group.
  struct SubtotalAdjustment {
    int32_t adjustmentType;
    int64_t amount;  // the argument: currency, or a percentage in currency form
    device::TaxParts parts;
  };
  std::vector<SubtotalAdjustment> subtotalAdjustments_;
  // The parts of the subtotal adjustment being sent, while its call may be repeated.
  SubtotalAdjustment pendingAdjustment_{};
  // A sale was registered in the open receipt (a slip receipt then cannot turn into a
  // refund).
  bool saleInReceipt_ = false;
  // What the payments must reach to end the payment phase: the register's subtotal as the
  // last payment found it (the slip station: the application's total), register units.
  int64_t paymentTarget_ = 0;
  // Slip lines a slip operation takes (register table 13), read for the models that have it.
  uint8_t slipOpLines_ = 0;
  // The header and trailer texts of register table 4.
  std::vector<std::string> headerLines_;
  std::vector<std::string> trailerLines_;
  // Tax rates 1..4 in 0.01 %, kept by the service only until SetVatTable writes them.
  std::array<uint16_t, 4> vatRates_{};
};

}  // namespace orn::service
