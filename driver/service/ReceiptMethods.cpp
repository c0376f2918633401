// The fiscal receipt: its start, items, adjustments, refunds, voids and printed lines.
// Every method checks the printer state and its arguments before the first register step,
// and a method called again after a failure skips the steps that already succeeded.

#include <algorithm>
#include <string_view>

#include "device/ResultCodes.h"
#include "receipt/ReceiptArithmetic.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {

constexpr int64_t kOneUnit = 1000;  // quantity in thousandths
// The register's slip document types.
constexpr uint8_t kSlipSale = 0;
constexpr uint8_t kSlipReturnOfSale = 2;

}  // namespace

int32_t FptrService::BeginFiscalReceipt(bool printHeader) {
  return Call(Method::kBeginFiscalReceipt, {Flag("PrintHeader", printHeader)}, [&] {
    receipt_.SetRecPrinted(false);
    receipt_.SetSlpPrinted(false);
    if (!CheckState({FPTR_PS_MONITOR})) return;
    receipt_.SetReceiptSubtotal(0);
    if (!retrySteps_[kMainStepDone]) {
      if (stationIsReceipt_) {
        if (!additionalHeader_.empty()) {
          // Lines printed before a failure are not printed again by a repeated call.
          size_t& printed = retrySteps_.textPrinted;
          size_t resumeAt = 0;
          const std::string_view rest = std::string_view(additionalHeader_)
                                            .substr(std::min(printed, additionalHeader_.size()));
          const bool done = device_.PrintLines(device::kStationReceipt, rest, &resumeAt);
          printed += resumeAt;
          if (!done) return;
          receipt_.SetRecPrinted(true);
        }
      } else {
        receipt_.SetSlipLine(uint8_t(numHeaderLines_ + 2));
        if (!device_.OpenSlipDocument(kSlipSale)) return;
        retrySteps_[kMainStepDone] = true;
        // One slip line each: lines put at the same number would overwrite each other.
        size_t start = 0;
        while (start < additionalHeader_.size()) {
          size_t end = additionalHeader_.find('\n', start);
          if (end == std::string::npos) end = additionalHeader_.size();
          std::string line = additionalHeader_.substr(start, end - start);
          if (!line.empty() && line.back() == '\r') line.pop_back();
          start = end + 1;
          if (!PrintTextLine(line, device::kStationReceipt)) return;
        }
      }
    }
    retrySteps_ = {};
    ResetReceiptTotals();
    dayOpened_ = true;
    receipt_.SetPrinterState(FPTR_PS_FISCAL_RECEIPT);
  });
}

int32_t FptrService::PrintRecItem(std::u16string_view description, int64_t price, int32_t quantity,
                                  int32_t vatInfo, int64_t unitPrice,
                                  std::u16string_view unitName) {
  return Call(
      Method::kPrintRecItem,
      {Text("Description", description), Money("Price", price), Number("Quantity", quantity),
       Number("VatInfo", vatInfo), Money("UnitPrice", unitPrice), Text("UnitName", unitName)},
      [&] {
        if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) || !CheckQuantity(quantity) ||
            !CheckPrice(price) || !CheckPrice(unitPrice) || !CheckTextLength(description) ||
            !CheckSalesOnly() || !CheckVatInfo(vatInfo))
          return;
        if (refundReceipt_) {
          log_.LogDetail("Открыт чек возврата. Продажа невозможна.");
          device_.SetIllegal();
          return;
        }
        // Without a unit price one unit is sold at Price; only quantity and price go out.
        const int64_t units = unitPrice == 0 || quantity == 0 ? kOneUnit : quantity;
        const int64_t itemPrice = device_.ToRegisterUnits(unitPrice == 0 ? price : unitPrice);
        if (receipt::ItemAmount(units, itemPrice) > receipt::kMaxRegisterAmount) {
          device_.SetExtendedError(device::OPOS_EFPTR_BAD_PRICE);
          return;
        }
        if (!PrintPreLine()) return;
        if (!retrySteps_[kMainStepDone]) {
          const std::string text = FromApp(description);
          retrySteps_[kMainStepDone] = SellItem({units, itemPrice, text}, vatInfo);
          if (!retrySteps_[kMainStepDone]) return;
        }
        if (!PrintPostLine()) return;
        retrySteps_ = {};
      });
}

int32_t FptrService::PrintRecItemAdjustment(int32_t adjustmentType, std::u16string_view description,
                                            int64_t amount, int32_t vatInfo) {
  return Call(Method::kPrintRecItemAdjustment,
              {Number("AdjustmentType", adjustmentType), Text("Description", description),
               Money("Amount", amount), Number("VatInfo", vatInfo)},
              [&] {
                if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) || !CheckTextLength(description) ||
                    !CheckSalesOnly() || !CheckAdjustment(adjustmentType, amount) ||
                    !CheckVatInfo(vatInfo))
                  return;
                int64_t units = device_.ToRegisterUnits(amount);
                if (IsPercentage(adjustmentType)) {
                  // The base is an item of this receipt, never one of an earlier receipt.
                  if (!lastItemKnown_) {
                    log_.LogDetail("В чеке нет товара, от суммы которого считается процент.");
                    device_.SetIllegal();
                    return;
                  }
                  units = receipt::PercentOf(lastItemAmount_, amount);
                }
                // A discount takes at most what is left of the item; an item not known (the
                // receipt was begun by another process) is left to the register to judge.
                if (IsDiscount(adjustmentType) && lastItemKnown_ && units > lastItemLeft_) {
                  Refuse("Скидка больше суммы товара.");
                  return;
                }
                if (!PrintPreLine()) return;
                if (!AdjustItem(adjustmentType, FromApp(description), units, vatInfo)) return;
                retrySteps_ = {};
              });
}

int32_t FptrService::PrintRecMessage(std::u16string_view message) {
  return Call(Method::kPrintRecMessage, {Text("Message", message)}, [&] {
    if (!CheckState({FPTR_PS_FISCAL_RECEIPT_ENDING}) || !CheckTextLength(message) ||
        !CheckSalesOnly())
      return;
    PrintTextLine(FromApp(message), device::kStationReceipt);
  });
}

int32_t FptrService::PrintRecNotPaid(std::u16string_view description, int64_t amount) {
  return Call(Method::kPrintRecNotPaid, {Text("Description", description), Money("Amount", amount)},
              [&] {
                if (!CheckState({FPTR_PS_FISCAL_RECEIPT_ENDING, FPTR_PS_FISCAL_RECEIPT_TOTAL}) ||
                    !CheckTextLength(description) || !CheckAmount(amount) || !CheckSalesOnly())
                  return;
                PrintTwoColumnLine(FromApp(description), receipt::FormatAmount(amount));
              });
}

int32_t FptrService::PrintRecRefund(std::u16string_view description, int64_t amount,
                                    int32_t vatInfo) {
  return Call(
      Method::kPrintRecRefund,
      {Text("Description", description), Money("Amount", amount), Number("VatInfo", vatInfo)}, [&] {
        if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) || !CheckTextLength(description) ||
            !CheckAmount(amount) || !CheckSalesOnly() || !CheckVatInfo(vatInfo))
          return;
        // A slip document has one type: a slip receipt with sales in it cannot become a
        // refund, or the register would count the sales as refunds.
        if (!stationIsReceipt_ && saleInReceipt_) {
          log_.LogDetail("В документе есть продажи. Возврат невозможен.");
          device_.SetIllegal();
          return;
        }
        const int64_t price = device_.ToRegisterUnits(amount);
        if (!PrintPreLine()) return;
        const std::string text = FromApp(description);
        const device::ItemLine item{kOneUnit, price, text};
        const uint8_t taxGroup = uint8_t(vatInfo);
        if (stationIsReceipt_) {
          if (!device_.ReturnSale(item, taxGroup)) return;
        } else {
          if (!refundReceipt_ && !device_.OpenSlipDocument(kSlipReturnOfSale)) return;
          if (!device_.SlipOperation(receipt_.SlipLine(), item, taxGroup)) return;
          receipt_.SetSlipLine(uint8_t(receipt_.SlipLine() + slipOpLines_));
        }
        refundReceipt_ = true;
        retrySteps_ = {};
        NoteLastItem(receipt::ItemAmount(kOneUnit, price));
      });
}

int32_t FptrService::PrintRecRefundVoid(std::u16string_view description, int64_t amount,
                                        int32_t vatInfo) {
  return Call(
      Method::kPrintRecRefundVoid,
      {Text("Description", description), Money("Amount", amount), Number("VatInfo", vatInfo)}, [&] {
        if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) || !CheckTextLength(description) ||
            !CheckAmount(amount) || !CheckSalesOnly() || !CheckVatInfo(vatInfo) ||
            !CheckReceiptStation())
          return;
        const std::string text = FromApp(description);
        device_.Storno({kOneUnit, device_.ToRegisterUnits(amount), text}, uint8_t(vatInfo));
      });
}

int32_t FptrService::PrintRecSubtotal(int64_t amount) {
  return Call(Method::kPrintRecSubtotal, {Money("Amount", amount)}, [&] {
    if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) || !CheckAmount(amount) ||
        !CheckTotalAgainstRegister(amount))
      return;
    const std::optional<int64_t> read = ReadReceiptSubtotal();
    if (!read) return;
    const int64_t subtotal = *read;
    if (!PrintPreLine()) return;
    if (!retrySteps_[kMainStepDone]) {
      retrySteps_[kMainStepDone] = PrintTwoColumnLine(
          params_.SubtotalName(), receipt::FormatAmount(subtotal * device_.CurrencyDivisor()));
      if (!retrySteps_[kMainStepDone]) return;
    }
    if (!PrintPostLine()) return;
    retrySteps_ = {};
  });
}

int32_t FptrService::PrintRecSubtotalAdjustment(int32_t adjustmentType,
                                                std::u16string_view description, int64_t amount) {
  return Call(Method::kPrintRecSubtotalAdjustment,
              {Number("AdjustmentType", adjustmentType), Text("Description", description),
               Money("Amount", amount)},
              [&] {
                if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) || !CheckTextLength(description) ||
                    !CheckAdjustment(adjustmentType, amount) ||
                    (IsPercentage(adjustmentType) && !CheckReceiptStation()))
                  return;
                if (!PrintPreLine()) return;
                if (!AdjustSubtotal(adjustmentType, FromApp(description), amount)) return;
                retrySteps_ = {};
              });
}

int32_t FptrService::PrintRecVoid(std::u16string_view description) {
  return Call(Method::kPrintRecVoid, {Text("Description", description)}, [&] {
    if (!CheckState({FPTR_PS_FISCAL_RECEIPT, FPTR_PS_FISCAL_RECEIPT_ENDING}) ||
        !CheckTextLength(description))
      return;
    // The register closed it (its end failed later, at the paper or the line): a void
    // reported done would be a sale the point of sale believes cancelled.
    if (receipt_.ReceiptEnding() == receipt::ReceiptState::Ending::kClosed) {
      Refuse(
          "Чек уже закрыт в ФР и не может быть отменен: завершите его методом EndFiscalReceipt.");
      return;
    }
    if (!PrintTextLine(FromApp(description), device::kStationReceipt)) return;
    receipt_.SetCancelReceipt(true);
    receipt_.SetPrinterState(FPTR_PS_FISCAL_RECEIPT_ENDING);
  });
}

int32_t FptrService::PrintRecVoidItem(std::u16string_view description, int64_t amount,
                                      int32_t quantity, int32_t adjustmentType, int64_t adjustment,
                                      int32_t vatInfo) {
  return Call(Method::kPrintRecVoidItem,
              {Text("Description", description), Money("Amount", amount),
               Number("Quantity", quantity), Number("AdjustmentType", adjustmentType),
               Money("Adjustment", adjustment), Number("VatInfo", vatInfo)},
              [&] {
                if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) || !CheckQuantity(quantity) ||
                    !CheckAmount(amount) || !CheckTextLength(description) ||
                    !CheckVatInfo(vatInfo) || !CheckReceiptStation())
                  return;
                const int64_t units = quantity == 0 ? kOneUnit : quantity;
                const int64_t price = device_.ToRegisterUnits(amount);
                if (receipt::ItemAmount(units, price) > receipt::kMaxRegisterAmount) {
                  device_.SetExtendedError(device::OPOS_EFPTR_BAD_ITEM_AMOUNT);
                  return;
                }
                const std::string text = FromApp(description);
                device_.Storno({units, price, text}, uint8_t(vatInfo));
              });
}

int32_t FptrService::VerifyItem(std::u16string_view itemName, int32_t vatID) {
  return NotSupported(Method::kVerifyItem, {Text("ItemName", itemName), Number("VatID", vatID)});
}

int32_t FptrService::PrintRecItemFuel(std::u16string_view description, int64_t price,
                                      int32_t quantity, int32_t vatInfo, int64_t unitPrice,
                                      std::u16string_view unitName, int64_t specialTax,
                                      std::u16string_view specialTaxName) {
  return NotSupported(
      Method::kPrintRecItemFuel,
      {Text("Description", description), Money("Price", price), Number("Quantity", quantity),
       Number("VatInfo", vatInfo), Money("UnitPrice", unitPrice), Text("UnitName", unitName),
       Money("SpecialTax", specialTax), Text("SpecialTaxName", specialTaxName)});
}

int32_t FptrService::PrintRecItemFuelVoid(std::u16string_view description, int64_t price,
                                          int32_t vatInfo, int64_t specialTax) {
  return NotSupported(Method::kPrintRecItemFuelVoid,
                      {Text("Description", description), Money("Price", price),
                       Number("VatInfo", vatInfo), Money("SpecialTax", specialTax)});
}

int32_t FptrService::PrintRecPackageAdjustment(int32_t adjustmentType,
                                               std::u16string_view description,
                                               std::u16string_view vatAdjustment) {
  return Call(Method::kPrintRecPackageAdjustment,
              {Number("AdjustmentType", adjustmentType), Text("Description", description),
               Text("VatAdjustment", vatAdjustment)},
              [&] {
                if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) || !CheckTextLength(description) ||
                    !CheckSalesOnly())
                  return;
                if (adjustmentType != FPTR_AT_AMOUNT_DISCOUNT &&
                    adjustmentType != FPTR_AT_AMOUNT_SURCHARGE) {
                  device_.SetIllegal();
                  return;
                }
                PrintTwoColumnLine(FromApp(description), FromApp(vatAdjustment));
              });
}

int32_t FptrService::PrintRecPackageAdjustVoid(int32_t adjustmentType,
                                               std::u16string_view vatAdjustment) {
  return Call(Method::kPrintRecPackageAdjustVoid,
              {Number("AdjustmentType", adjustmentType), Text("VatAdjustment", vatAdjustment)},
              [&] {
                if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) || !CheckTextLength(vatAdjustment) ||
                    !CheckSalesOnly())
                  return;
                if (adjustmentType != FPTR_AT_AMOUNT_DISCOUNT &&
                    adjustmentType != FPTR_AT_AMOUNT_SURCHARGE) {
                  device_.SetIllegal();
                  return;
                }
                if (!PrintPreLine()) return;
                if (!PrintTwoColumnLine(std::string(), FromApp(vatAdjustment))) return;
                retrySteps_ = {};
              });
}

int32_t FptrService::PrintRecSubtotalAdjustVoid(int32_t adjustmentType, int64_t amount) {
  return Call(Method::kPrintRecSubtotalAdjustVoid,
              {Number("AdjustmentType", adjustmentType), Money("Amount", amount)}, [&] {
                if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) ||
                    !CheckAdjustment(adjustmentType, amount) ||
                    (IsPercentage(adjustmentType) && !CheckReceiptStation()))
                  return;
                if (!PrintPreLine()) return;
                if (!VoidSubtotalAdjustment(adjustmentType, amount)) return;
                retrySteps_ = {};
              });
}

int32_t FptrService::PrintRecTaxID(std::u16string_view taxID) {
  return Call(Method::kPrintRecTaxID, {Text("TaxID", taxID)}, [&] {
    if (!CheckState({FPTR_PS_FISCAL_RECEIPT_ENDING}) || !CheckTextLength(taxID)) return;
    PrintTextLine(FromApp(taxID), device::kStationReceipt);
  });
}

}  // namespace orn::service
