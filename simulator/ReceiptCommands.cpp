// Receipts on the tape: items (sale, purchase and their refunds, storno), discounts and
// surcharges with their stornos, the subtotal, closing with four payments, annulling, and
// the copy of the last document. The receipt's sums live in the money registers.

#include <cstdio>

#include "simulator/DocumentText.h"
#include "simulator/ErrorCodes.h"
#include "simulator/RegisterCommands.h"
#include "simulator/Wire.h"

namespace orn::simulator {

namespace {

// The largest price, quantity (thousandths) and amount the register accepts: ten digits.
constexpr int64_t kMaxValue = 9999999999;
constexpr uint8_t kDepartments = 16;
constexpr uint8_t kTaxGroups = 4;
constexpr size_t kItemHeader = 15;       // quantity, price, department, tax bytes
constexpr size_t kAdjustmentHeader = 9;  // money, tax bytes
constexpr size_t kCloseHeader = 26;      // four payments, discount (2), tax bytes

constexpr const char* kTitles[4] = {"ПРОДАЖА", "ПОКУПКА", "ВОЗВРАТ ПРОДАЖИ", "ВОЗВРАТ ПОКУПКИ"};

// Each tax group once, whatever tax bytes name it.
bool GroupListed(const std::array<uint8_t, 4>& taxes, uint8_t group) {
  for (uint8_t tax : taxes) {
    if (tax == group) return true;
  }
  return false;
}

// Money comes in for sales and purchase refunds, goes out for purchases and sale refunds.
bool CashComesIn(uint8_t type) {
  return type == 0 || type == 3;
}

}  // namespace

uint8_t RegisterCommands::ParseItem(const uint8_t* p, size_t textLength, Item& item) const {
  item.quantity = int64_t(GetLe(p, kMoneySize));
  item.price = int64_t(GetLe(p + 5, kMoneySize));
  item.department = p[10];
  for (size_t i = 0; i < kTaxBytes; ++i) item.taxes[i] = p[11 + i];
  item.text = FieldText(p + kItemHeader, textLength);
  if (item.quantity > kMaxValue) return kErrorQuantityRange;
  if (item.price > kMaxValue) return kErrorPriceRange;
  if (item.department < 1 || item.department > kDepartments) return kErrorDepartmentRange;
  for (uint8_t tax : item.taxes) {
    if (tax > kTaxGroups) return kErrorBadParameters;
  }
  // Thousandths times price, rounded half up; both are below 2^34, so this fits.
  item.amount = (item.quantity * item.price + 500) / 1000;
  if (item.amount > kMaxValue) return kErrorMultiplyOverflow;
  return kErrorNone;
}

uint8_t RegisterCommands::CheckItem(const Item& item, uint8_t type, bool storno) const {
  if (!storno) return kErrorNone;
  const MoneyRegisters& m = state_.money;
  if (ReceiptSubtotal(m, type) < item.amount || m[money::ReceiptItems(type)] < item.amount)
    return kErrorNegativeTotal;
  for (uint8_t g = 1; g <= kTaxGroups; ++g) {
    if (GroupListed(item.taxes, g) && m[money::ReceiptTaxTurnover(g, type)] < item.amount)
      return kErrorTaxTurnoverShort;
  }
  return kErrorNone;
}

void RegisterCommands::RegisterItem(const Item& item, uint8_t type, bool storno) {
  MoneyRegisters& m = state_.money;
  const int64_t signedAmount = storno ? -item.amount : item.amount;
  m[money::ReceiptItems(type)] += signedAmount;
  if (storno) m[money::ReceiptStornos(type)] += item.amount;
  for (uint8_t g = 1; g <= kTaxGroups; ++g) {
    if (GroupListed(item.taxes, g)) m[money::ReceiptTaxTurnover(g, type)] += signedAmount;
  }
}

uint8_t RegisterCommands::CheckAdjustment(Adjustment kind, int64_t amount,
                                          const std::array<uint8_t, 4>& taxes, uint8_t type) const {
  const MoneyRegisters& m = state_.money;
  for (uint8_t tax : taxes) {
    if (tax > kTaxGroups) return kErrorBadParameters;
  }
  if (amount > kMaxValue) return kErrorBadParameters;
  const bool lowers = kind == Adjustment::kDiscount || kind == Adjustment::kStornoSurcharge;
  if (kind == Adjustment::kDiscount && amount > ReceiptSubtotal(m, type))
    return kErrorDiscountAboveReceipt;
  if (kind == Adjustment::kStornoDiscount && amount > m[money::ReceiptDiscounts(type)])
    return kErrorNegativeDiscount;
  if (kind == Adjustment::kStornoSurcharge && amount > m[money::ReceiptSurcharges(type)])
    return kErrorNegativeSurcharge;
  if (kind == Adjustment::kStornoSurcharge && amount > ReceiptSubtotal(m, type))
    return kErrorNegativeTotal;
  for (uint8_t g = 1; g <= kTaxGroups && lowers; ++g) {
    if (GroupListed(taxes, g) && m[money::ReceiptTaxTurnover(g, type)] < amount)
      return kErrorTaxTurnoverShort;
  }
  return kErrorNone;
}

void RegisterCommands::RegisterAdjustment(Adjustment kind, int64_t amount,
                                          const std::array<uint8_t, 4>& taxes, uint8_t type) {
  MoneyRegisters& m = state_.money;
  int64_t turnover = 0;
  switch (kind) {
    case Adjustment::kDiscount:
      m[money::ReceiptDiscounts(type)] += amount;
      turnover = -amount;
      break;
    case Adjustment::kSurcharge:
      m[money::ReceiptSurcharges(type)] += amount;
      turnover = amount;
      break;
    case Adjustment::kStornoDiscount:
      m[money::ReceiptDiscounts(type)] -= amount;
      turnover = amount;
      break;
    case Adjustment::kStornoSurcharge:
      m[money::ReceiptSurcharges(type)] -= amount;
      turnover = -amount;
      break;
  }
  for (uint8_t g = 1; g <= kTaxGroups; ++g) {
    if (GroupListed(taxes, g)) m[money::ReceiptTaxTurnover(g, type)] += turnover;
  }
}

// Four payments of 5 bytes; cash (type 1) is the only one that gives change.
uint8_t RegisterCommands::CheckPayments(const uint8_t* amounts, uint8_t type,
                                        Payments& payments) const {
  int64_t sum = 0;
  for (size_t i = 0; i < 4; ++i) {
    payments.amounts[i] = int64_t(GetLe(amounts + i * kMoneySize, kMoneySize));
    if (payments.amounts[i] > kMaxValue) return uint8_t(0x41 + i);  // payment range
    sum += payments.amounts[i];
  }
  payments.total = ReceiptSubtotal(state_.money, type);
  if (payments.total < 0) return kErrorNegativeTotal;
  if (sum < payments.total) return kErrorPaymentsBelowTotal;
  if (sum - payments.amounts[0] > payments.total) return kErrorCashlessAboveTotal;
  payments.change = sum - payments.total;
  const int64_t cash = payments.amounts[0] - payments.change;
  if (!CashComesIn(type) && cash > state_.money[money::kCashInHand]) return kErrorNotEnoughCash;
  return kErrorNone;
}

// The receipt's sums move into the shift's registers; the receipt's registers are cleared.
void RegisterCommands::RegisterPayments(const Payments& payments, uint8_t type) {
  MoneyRegisters& m = state_.money;
  const int64_t cash = payments.amounts[0] - payments.change;
  m[money::kCashInHand] += CashComesIn(type) ? cash : -cash;
  for (uint8_t p = 1; p <= 4; ++p)
    m[money::ShiftPayments(p, type)] += p == 1 ? cash : payments.amounts[p - 1];
  m[money::ShiftItems(type)] += m[money::ReceiptItems(type)];
  m[money::ShiftStornos(type)] += m[money::ReceiptStornos(type)];
  m[money::ShiftDiscounts(type)] += m[money::ReceiptDiscounts(type)];
  m[money::ShiftSurcharges(type)] += m[money::ReceiptSurcharges(type)];
  for (uint8_t g = 1; g <= kTaxGroups; ++g)
    m[money::ShiftTaxTurnover(g, type)] += m[money::ReceiptTaxTurnover(g, type)];
  m[money::ShiftTotals(type)] += payments.total;
  ++state_.operations[operations::ClosedReceipts(type)];
  ClearReceiptRegisters(m);
}

std::string RegisterCommands::PaymentName(uint8_t type) const {
  std::string name = tables_.Text(kTablePayments, type, 1);
  if (name.empty() || name == " ") name = type == 1 ? "НАЛИЧНЫМИ" : "ОПЛАТА";
  return name;
}

// The totals part of a receipt, before RegisterPayments clears the receipt's registers.
void RegisterCommands::PrintTotals(const Payments& payments, uint8_t type,
                                   const std::string& text) {
  const MoneyRegisters& m = state_.money;
  if (m[money::ReceiptDiscounts(type)] != 0)
    Print(kFiscalStations, TwoColumns("СКИДКА", Money(m[money::ReceiptDiscounts(type)]), Width()));
  if (m[money::ReceiptSurcharges(type)] != 0)
    Print(kFiscalStations,
          TwoColumns("НАДБАВКА", Money(m[money::ReceiptSurcharges(type)]), Width()));
  Print(kFiscalStations, TwoColumns("ИТОГ", Money(payments.total), Width()));
  for (uint8_t p = 1; p <= 4; ++p) {
    if (payments.amounts[p - 1] == 0) continue;
    Print(kFiscalStations, TwoColumns(PaymentName(p), Money(payments.amounts[p - 1]), Width()));
  }
  if (payments.change != 0)
    Print(kFiscalStations, TwoColumns("СДАЧА", Money(payments.change), Width()));
  // The tax included in each group's turnover, at the rate of table 6.
  for (uint8_t g = 1; g <= kTaxGroups; ++g) {
    const int64_t turnover = m[money::ReceiptTaxTurnover(g, type)];
    const int64_t rate = tables_.Number(kTableTaxes, g, 1);
    if (turnover == 0 || rate == 0) continue;
    const int64_t tax = (turnover * rate + (10000 + rate) / 2) / (10000 + rate);
    Print(kFiscalStations, TwoColumns(tables_.Text(kTableTaxes, g, 2), Money(tax), Width()));
  }
  if (!text.empty()) Print(kFiscalStations, text);
}

// A receipt of `type` is open afterwards (opened here from an open or closed shift).
uint8_t RegisterCommands::OpenReceipt(uint8_t type, uint64_t nowMs) {
  if (ModeNumber() == kModeReceiptOpen)
    return ReceiptType() == type ? kErrorNone : kErrorOtherReceiptType;
  if (const uint8_t error = CanStartDocument()) return error;
  OpenShift(nowMs);
  state_.mode = uint8_t(kModeReceiptOpen | type << 4);
  PrintDocumentStart(kFiscalStations, kTitles[type], nowMs);
  return kErrorNone;
}

uint8_t RegisterCommands::ItemCommand(const Request& request, uint8_t type, bool storno) {
  Item item;
  if (const uint8_t error = ParseItem(request.params, request.length - kItemHeader, item))
    return error;
  if (storno) {
    if (ModeNumber() != kModeReceiptOpen) return kErrorWrongMode;
    type = ReceiptType();
  }
  if (const uint8_t error = CheckItem(item, type, storno)) return error;
  if (!storno) {
    if (const uint8_t error = OpenReceipt(type, request.nowMs)) return error;
  }
  RegisterItem(item, type, storno);
  Record(storno ? FiscalOperation::Kind::kStorno : FiscalOperation::Kind::kItem, item.amount,
         item.text, item.taxes[0]);
  if (storno) Print(kFiscalStations, "СТОРНО");
  if (!item.text.empty()) Print(kFiscalStations, item.text);
  Print(kFiscalStations,
        QuantityText(item.quantity) + " X " + AmountText(item.price, TwoDecimals()));
  char department[16];
  std::snprintf(department, sizeof department, "%02u", unsigned(item.department));
  Print(kFiscalStations, TwoColumns(department, Money(item.amount), Width()));
  return kErrorNone;
}

uint8_t RegisterCommands::Sale(const Request& request, Answer&) {
  return ItemCommand(request, 0, false);
}
uint8_t RegisterCommands::Purchase(const Request& request, Answer&) {
  return ItemCommand(request, 1, false);
}
uint8_t RegisterCommands::ReturnSale(const Request& request, Answer&) {
  return ItemCommand(request, 2, false);
}
uint8_t RegisterCommands::ReturnPurchase(const Request& request, Answer&) {
  return ItemCommand(request, 3, false);
}
uint8_t RegisterCommands::Storno(const Request& request, Answer&) {
  return ItemCommand(request, 0, true);
}

// Money, tax bytes, text field.
uint8_t RegisterCommands::AdjustmentCommand(const Request& request, Adjustment kind) {
  if (ModeNumber() != kModeReceiptOpen) return kErrorWrongMode;
  const uint8_t* p = request.params;
  const int64_t amount = int64_t(GetLe(p, kMoneySize));
  const std::array<uint8_t, 4> taxes = {p[5], p[6], p[7], p[8]};
  const uint8_t type = ReceiptType();
  if (const uint8_t error = CheckAdjustment(kind, amount, taxes, type)) return error;
  RegisterAdjustment(kind, amount, taxes, type);
  static constexpr const char* kNames[] = {"СКИДКА", "НАДБАВКА", "СТОРНО СКИДКИ",
                                           "СТОРНО НАДБАВКИ"};
  const std::string text = FieldText(p + kAdjustmentHeader, request.length - kAdjustmentHeader);
  Record(FiscalOperation::Kind::kAdjustment, amount, text, taxes[0]);
  if (!text.empty()) Print(kFiscalStations, text);
  Print(kFiscalStations, TwoColumns(kNames[size_t(kind)], Money(amount), Width()));
  return kErrorNone;
}

uint8_t RegisterCommands::Discount(const Request& request, Answer&) {
  return AdjustmentCommand(request, Adjustment::kDiscount);
}
uint8_t RegisterCommands::Surcharge(const Request& request, Answer&) {
  return AdjustmentCommand(request, Adjustment::kSurcharge);
}
uint8_t RegisterCommands::StornoDiscount(const Request& request, Answer&) {
  return AdjustmentCommand(request, Adjustment::kStornoDiscount);
}
uint8_t RegisterCommands::StornoSurcharge(const Request& request, Answer&) {
  return AdjustmentCommand(request, Adjustment::kStornoSurcharge);
}

// Four payments, a discount in 0.01 % (2 bytes, not applied: always 0 here), tax bytes,
// text field.
uint8_t RegisterCommands::CloseReceipt(const Request& request, Answer&) {
  if (ModeNumber() != kModeReceiptOpen) return kErrorWrongMode;
  const uint8_t type = ReceiptType();
  Payments payments;
  if (const uint8_t error = CheckPayments(request.params, type, payments)) return error;
  PrintTotals(payments, type,
              FieldText(request.params + kCloseHeader, request.length - kCloseHeader));
  Record(FiscalOperation::Kind::kClose, payments.total);
  RegisterPayments(payments, type);
  PrintDocumentEnd(kFiscalStations);
  EndDocument();
  state_.mode = BaseMode(request.nowMs);
  return kErrorNone;
}

// An open receipt (or slip document) is cancelled: nothing of it reaches the shift.
uint8_t RegisterCommands::AnnulReceipt(const Request& request, Answer&) {
  const uint8_t mode = ModeNumber();
  if (mode != kModeReceiptOpen && mode != kModeSlipDocument) return kErrorWrongMode;
  const uint8_t type = mode == kModeReceiptOpen ? ReceiptType() : slipType_;
  Record(FiscalOperation::Kind::kAnnul, 0);
  ClearReceiptRegisters(state_.money);
  ++state_.operations[operations::AnnulledReceipts(type)];
  if (mode == kModeSlipDocument) slipBuffer_.clear();
  Print(kFiscalStations, Centered("ЧЕК АННУЛИРОВАН", Width()));
  PrintDocumentEnd(kFiscalStations);
  EndDocument();
  state_.mode = BaseMode(request.nowMs);
  return kErrorNone;
}

// Answer: operator number, the 5-byte subtotal (0 with no receipt open).
uint8_t RegisterCommands::Subtotal(const Request&, Answer& answer) {
  int64_t subtotal = 0;
  if (ModeNumber() == kModeReceiptOpen) subtotal = ReceiptSubtotal(state_.money, ReceiptType());
  if (ModeNumber() == kModeSlipDocument) subtotal = ReceiptSubtotal(state_.money, slipType_);
  answer.data[0] = state_.operatorNumber;
  PutLe(answer.data + 1, uint64_t(subtotal), kMoneySize);
  answer.length = 1 + kMoneySize;
  return kErrorNone;
}

uint8_t RegisterCommands::RepeatDocument(const Request&, Answer&) {
  const uint8_t mode = ModeNumber();
  if (mode == kModeReceiptOpen || mode == kModeSlipDocument) return kErrorReceiptOpen;
  if (lastDocument_.empty()) return kErrorNothingToRepeat;
  const std::vector<std::string> copy = lastDocument_;
  printer_.Queue(kReceiptBit, Centered("КОПИЯ", Width()));
  for (const std::string& line : copy) printer_.Queue(kReceiptBit, line);
  printer_.Cut();
  return kErrorNone;
}

}  // namespace orn::simulator
