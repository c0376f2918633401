// Settings of the register: date, header and trailer, tax rates, identities. Members of
// FptrService that come with a later release; until then each runs the method frame and answers
// OPOS_E_ILLEGAL.

#include "service/FptrService.h"

namespace orn::service {

int32_t FptrService::ResetPrinter() {
  return NotSupported(Method::kResetPrinter, {});
}

int32_t FptrService::SetDate(std::u16string_view date) {
  return NotSupported(Method::kSetDate, {Text("Date", date)});
}

int32_t FptrService::SetHeaderLine(int32_t lineNumber, std::u16string_view text, bool doubleWidth) {
  return NotSupported(Method::kSetHeaderLine, {Number("LineNumber", lineNumber), Text("Text", text),
                                               Flag("DoubleWidth", doubleWidth)});
}

int32_t FptrService::SetPOSID(std::u16string_view posID, std::u16string_view cashierID) {
  return NotSupported(Method::kSetPOSID, {Text("POSID", posID), Text("CashierID", cashierID)});
}

int32_t FptrService::SetStoreFiscalID(std::u16string_view id) {
  return NotSupported(Method::kSetStoreFiscalID, {Text("ID", id)});
}

int32_t FptrService::SetTrailerLine(int32_t lineNumber, std::u16string_view text,
                                    bool doubleWidth) {
  return NotSupported(
      Method::kSetTrailerLine,
      {Number("LineNumber", lineNumber), Text("Text", text), Flag("DoubleWidth", doubleWidth)});
}

int32_t FptrService::SetVatTable() {
  return NotSupported(Method::kSetVatTable, {});
}

int32_t FptrService::SetVatValue(int32_t vatID, std::u16string_view vatValue) {
  return NotSupported(Method::kSetVatValue, {Number("VatID", vatID), Text("VatValue", vatValue)});
}

}  // namespace orn::service
