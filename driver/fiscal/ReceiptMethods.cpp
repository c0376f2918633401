// The fiscal receipt: items, adjustments, messages, voids and refunds. Members of FptrService
// that come with a later release; until then each runs the method frame and answers
// OPOS_E_ILLEGAL.

#include "service/FptrService.h"

namespace orn::service {

int32_t FptrService::BeginFiscalReceipt(bool printHeader) {
  return NotSupported(Method::kBeginFiscalReceipt, {Flag("PrintHeader", printHeader)});
}

int32_t FptrService::EndFiscalReceipt(bool printHeader) {
  return NotSupported(Method::kEndFiscalReceipt, {Flag("PrintHeader", printHeader)});
}

int32_t FptrService::PrintDuplicateReceipt() {
  return NotSupported(Method::kPrintDuplicateReceipt, {});
}

int32_t FptrService::PrintRecItem(std::u16string_view description, int64_t price, int32_t quantity,
                                  int32_t vatInfo, int64_t unitPrice,
                                  std::u16string_view unitName) {
  return NotSupported(
      Method::kPrintRecItem,
      {Text("Description", description), Money("Price", price), Number("Quantity", quantity),
       Number("VatInfo", vatInfo), Money("UnitPrice", unitPrice), Text("UnitName", unitName)});
}

int32_t FptrService::PrintRecItemAdjustment(int32_t adjustmentType, std::u16string_view description,
                                            int64_t amount, int32_t vatInfo) {
  return NotSupported(Method::kPrintRecItemAdjustment,
                      {Number("AdjustmentType", adjustmentType), Text("Description", description),
                       Money("Amount", amount), Number("VatInfo", vatInfo)});
}

int32_t FptrService::PrintRecMessage(std::u16string_view message) {
  return NotSupported(Method::kPrintRecMessage, {Text("Message", message)});
}

int32_t FptrService::PrintRecNotPaid(std::u16string_view description, int64_t amount) {
  return NotSupported(Method::kPrintRecNotPaid,
                      {Text("Description", description), Money("Amount", amount)});
}

int32_t FptrService::PrintRecRefund(std::u16string_view description, int64_t amount,
                                    int32_t vatInfo) {
  return NotSupported(
      Method::kPrintRecRefund,
      {Text("Description", description), Money("Amount", amount), Number("VatInfo", vatInfo)});
}

int32_t FptrService::PrintRecSubtotal(int64_t amount) {
  return NotSupported(Method::kPrintRecSubtotal, {Money("Amount", amount)});
}

int32_t FptrService::PrintRecSubtotalAdjustment(int32_t adjustmentType,
                                                std::u16string_view description, int64_t amount) {
  return NotSupported(Method::kPrintRecSubtotalAdjustment,
                      {Number("AdjustmentType", adjustmentType), Text("Description", description),
                       Money("Amount", amount)});
}

int32_t FptrService::PrintRecVoid(std::u16string_view description) {
  return NotSupported(Method::kPrintRecVoid, {Text("Description", description)});
}

int32_t FptrService::PrintRecVoidItem(std::u16string_view description, int64_t amount,
                                      int32_t quantity, int32_t adjustmentType, int64_t adjustment,
                                      int32_t vatInfo) {
  return NotSupported(Method::kPrintRecVoidItem,
                      {Text("Description", description), Money("Amount", amount),
                       Number("Quantity", quantity), Number("AdjustmentType", adjustmentType),
                       Money("Adjustment", adjustment), Number("VatInfo", vatInfo)});
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
  return NotSupported(Method::kPrintRecPackageAdjustment,
                      {Number("AdjustmentType", adjustmentType), Text("Description", description),
                       Text("VatAdjustment", vatAdjustment)});
}

int32_t FptrService::PrintRecPackageAdjustVoid(int32_t adjustmentType,
                                               std::u16string_view vatAdjustment) {
  return NotSupported(Method::kPrintRecPackageAdjustVoid, {Number("AdjustmentType", adjustmentType),
                                                           Text("VatAdjustment", vatAdjustment)});
}

int32_t FptrService::PrintRecRefundVoid(std::u16string_view description, int64_t amount,
                                        int32_t vatInfo) {
  return NotSupported(
      Method::kPrintRecRefundVoid,
      {Text("Description", description), Money("Amount", amount), Number("VatInfo", vatInfo)});
}

int32_t FptrService::PrintRecSubtotalAdjustVoid(int32_t adjustmentType, int64_t amount) {
  return NotSupported(Method::kPrintRecSubtotalAdjustVoid,
                      {Number("AdjustmentType", adjustmentType), Money("Amount", amount)});
}

int32_t FptrService::PrintRecTaxID(std::u16string_view taxID) {
  return NotSupported(Method::kPrintRecTaxID, {Text("TaxID", taxID)});
}

}  // namespace orn::service
