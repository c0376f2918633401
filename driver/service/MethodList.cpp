#include "service/MethodList.h"

namespace orn::service {

namespace {

struct MethodName {
  Method method;
  const char* name;
};

// The common methods have names of their own in the log; the others log their OPOS name.
constexpr MethodName kMethodNames[] = {
    {Method::kOpenResult, "OpenResult"},
    {Method::kCOFreezeEvents, "COFreezeEvents"},
    {Method::kGetPropertyNumber, "GetPropertyNumber"},
    {Method::kSetPropertyNumber, "SetPropertyNumber"},
    {Method::kGetPropertyString, "GetPropertyString"},
    {Method::kSetPropertyString, "SetPropertyString"},
    {Method::kOpenService, "Open service"},
    {Method::kCloseService, "Close service"},
    {Method::kCheckHealth, "CheckHealth"},
    {Method::kClaimDevice, "Claim device"},
    {Method::kClearOutput, "ClearOutput"},
    {Method::kDirectIO, "DirectIO"},
    {Method::kReleaseDevice, "ReleaseDevice"},
    {Method::kBeginFiscalDocument, "BeginFiscalDocument"},
    {Method::kBeginFiscalReceipt, "BeginFiscalReceipt"},
    {Method::kBeginFixedOutput, "BeginFixedOutput"},
    {Method::kBeginInsertion, "BeginInsertion"},
    {Method::kBeginItemList, "BeginItemList"},
    {Method::kBeginNonFiscal, "BeginNonFiscal"},
    {Method::kBeginRemoval, "BeginRemoval"},
    {Method::kBeginTraining, "BeginTraining"},
    {Method::kClearError, "ClearError"},
    {Method::kEndFiscalDocument, "EndFiscalDocument"},
    {Method::kEndFiscalReceipt, "EndFiscalReceipt"},
    {Method::kEndFixedOutput, "EndFixedOutput"},
    {Method::kEndInsertion, "EndInsertion"},
    {Method::kEndItemList, "EndItemList"},
    {Method::kEndNonFiscal, "EndNonFiscal"},
    {Method::kEndRemoval, "EndRemoval"},
    {Method::kEndTraining, "EndTraining"},
    {Method::kGetData, "GetData"},
    {Method::kGetDate, "GetDate"},
    {Method::kGetTotalizer, "GetTotalizer"},
    {Method::kGetVatEntry, "GetVatEntry"},
    {Method::kPrintDuplicateReceipt, "PrintDuplicateReceipt"},
    {Method::kPrintFiscalDocumentLine, "PrintFiscalDocumentLine"},
    {Method::kPrintFixedOutput, "PrintFixedOutput"},
    {Method::kPrintNormal, "PrintNormal"},
    {Method::kPrintPeriodicTotalsReport, "PrintPeriodicTotalsReport"},
    {Method::kPrintPowerLossReport, "PrintPowerLossReport"},
    {Method::kPrintRecItem, "PrintRecItem"},
    {Method::kPrintRecItemAdjustment, "PrintRecItemAdjustment"},
    {Method::kPrintRecMessage, "PrintRecMessage"},
    {Method::kPrintRecNotPaid, "PrintRecNotPaid"},
    {Method::kPrintRecRefund, "PrintRecRefund"},
    {Method::kPrintRecSubtotal, "PrintRecSubtotal"},
    {Method::kPrintRecSubtotalAdjustment, "PrintRecSubtotalAdjustment"},
    {Method::kPrintRecTotal, "PrintRecTotal"},
    {Method::kPrintRecVoid, "PrintRecVoid"},
    {Method::kPrintRecVoidItem, "PrintRecVoidItem"},
    {Method::kPrintReport, "PrintReport"},
    {Method::kPrintXReport, "PrintXReport"},
    {Method::kPrintZReport, "PrintZReport"},
    {Method::kResetPrinter, "ResetPrinter"},
    {Method::kSetDate, "SetDate"},
    {Method::kSetHeaderLine, "SetHeaderLine"},
    {Method::kSetPOSID, "SetPOSID"},
    {Method::kSetStoreFiscalID, "SetStoreFiscalID"},
    {Method::kSetTrailerLine, "SetTrailerLine"},
    {Method::kSetVatTable, "SetVatTable"},
    {Method::kSetVatValue, "SetVatValue"},
    {Method::kVerifyItem, "VerifyItem"},
    {Method::kPrintRecCash, "PrintRecCash"},
    {Method::kPrintRecItemFuel, "PrintRecItemFuel"},
    {Method::kPrintRecItemFuelVoid, "PrintRecItemFuelVoid"},
    {Method::kPrintRecPackageAdjustment, "PrintRecPackageAdjustment"},
    {Method::kPrintRecPackageAdjustVoid, "PrintRecPackageAdjustVoid"},
    {Method::kPrintRecRefundVoid, "PrintRecRefundVoid"},
    {Method::kPrintRecSubtotalAdjustVoid, "PrintRecSubtotalAdjustVoid"},
    {Method::kPrintRecTaxID, "PrintRecTaxID"},
    {Method::kSetCurrency, "SetCurrency"},
    {Method::kGetOpenResult, "GetOpenResult"},
};

}  // namespace

const char* MethodLogName(Method method) {
  for (const MethodName& entry : kMethodNames)
    if (entry.method == method) return entry.name;
  return "";
}

}  // namespace orn::service
