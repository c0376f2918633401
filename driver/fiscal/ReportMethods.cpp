// Reports and the data the register keeps: totals, dates, tax rates. Members of FptrService that
// come with a later release; until then each runs the method frame and answers OPOS_E_ILLEGAL.

#include "service/FptrService.h"

namespace orn::service {

int32_t FptrService::GetData(int32_t dataItem, int32_t& optArgs, std::u16string& data) {
  (void)optArgs;
  (void)data;
  return NotSupported(Method::kGetData, {Number("DataItem", dataItem)});
}

int32_t FptrService::GetDate(std::u16string& date) {
  (void)date;
  return NotSupported(Method::kGetDate, {});
}

int32_t FptrService::GetTotalizer(int32_t vatID, int32_t optArgs, std::u16string& data) {
  (void)data;
  return NotSupported(Method::kGetTotalizer, {Number("VatID", vatID), Number("OptArgs", optArgs)});
}

int32_t FptrService::GetVatEntry(int32_t vatID, int32_t optArgs, int32_t& vatRate) {
  (void)vatRate;
  return NotSupported(Method::kGetVatEntry, {Number("VatID", vatID), Number("OptArgs", optArgs)});
}

int32_t FptrService::PrintPeriodicTotalsReport(std::u16string_view date1,
                                               std::u16string_view date2) {
  return NotSupported(Method::kPrintPeriodicTotalsReport,
                      {Text("Date1", date1), Text("Date2", date2)});
}

int32_t FptrService::PrintPowerLossReport() {
  return NotSupported(Method::kPrintPowerLossReport, {});
}

int32_t FptrService::PrintReport(int32_t reportType, std::u16string_view startNum,
                                 std::u16string_view endNum) {
  return NotSupported(Method::kPrintReport, {Number("ReportType", reportType),
                                             Text("StartNum", startNum), Text("EndNum", endNum)});
}

int32_t FptrService::PrintXReport() {
  return NotSupported(Method::kPrintXReport, {});
}

int32_t FptrService::PrintZReport() {
  return NotSupported(Method::kPrintZReport, {});
}

}  // namespace orn::service
