// IFptr: each method converts its arguments and forwards to the FptrService member of the
// same name (AutomationArgs.h, ServiceCall.h).

#include "AutomationArgs.h"
#include "FiscalPrinter.h"
#include "ServiceCall.h"

namespace orn::com {

STDMETHODIMP FiscalPrinter::get_OpenResult(LONG* pOpenResult) {
  return CallService(pOpenResult, [&] { return service_.OpenResult(); });
}

STDMETHODIMP FiscalPrinter::COFreezeEvents(VARIANT_BOOL Freeze, LONG* pRC) {
  return CallService(pRC, [&] { return service_.COFreezeEvents(Flag(Freeze)); });
}

STDMETHODIMP FiscalPrinter::GetPropertyNumber(LONG PropIndex, LONG* pNumber) {
  LongArg number(pNumber, true);
  return ReadProperty(number, [&] { service_.GetPropertyNumber(PropIndex, number); });
}

STDMETHODIMP FiscalPrinter::SetPropertyNumber(LONG PropIndex, LONG Number) {
  return WriteProperty([&] { service_.SetPropertyNumber(PropIndex, Number); });
}

STDMETHODIMP FiscalPrinter::GetPropertyString(LONG PropIndex, BSTR* pString) {
  TextArg string(pString, false);
  return ReadProperty(string, [&] { service_.GetPropertyString(PropIndex, string); });
}

STDMETHODIMP FiscalPrinter::SetPropertyString(LONG PropIndex, BSTR String) {
  return WriteProperty([&] { service_.SetPropertyString(PropIndex, Text(String)); });
}

STDMETHODIMP FiscalPrinter::OpenService(BSTR DeviceClass, BSTR DeviceName, IDispatch* pDispatch,
                                        LONG* pRC) {
  return CallService(
      pRC, [&] { return service_.OpenService(Text(DeviceClass), Text(DeviceName), pDispatch); });
}

STDMETHODIMP FiscalPrinter::CloseService(LONG* pRC) {
  return CallService(pRC, [&] { return service_.CloseService(); });
}

STDMETHODIMP FiscalPrinter::CheckHealth(LONG Level, LONG* pRC) {
  return CallService(pRC, [&] { return service_.CheckHealth(Level); });
}

STDMETHODIMP FiscalPrinter::ClaimDevice(LONG Timeout, LONG* pRC) {
  return CallService(pRC, [&] { return service_.ClaimDevice(Timeout); });
}

STDMETHODIMP FiscalPrinter::ClearOutput(LONG* pRC) {
  return CallService(pRC, [&] { return service_.ClearOutput(); });
}

STDMETHODIMP FiscalPrinter::DirectIO(LONG Command, LONG* pData, BSTR* pString, LONG* pRC) {
  LongArg data(pData, true);
  TextArg string(pString, true);
  return CallService(
      pRC, [&] { return service_.DirectIO(Command, data, string); }, data, string);
}

STDMETHODIMP FiscalPrinter::ReleaseDevice(LONG* pRC) {
  return CallService(pRC, [&] { return service_.ReleaseDevice(); });
}

STDMETHODIMP FiscalPrinter::BeginFiscalDocument(LONG DocumentAmount, LONG* pRC) {
  return CallService(pRC, [&] { return service_.BeginFiscalDocument(DocumentAmount); });
}

STDMETHODIMP FiscalPrinter::BeginFiscalReceipt(VARIANT_BOOL PrintHeader, LONG* pRC) {
  return CallService(pRC, [&] { return service_.BeginFiscalReceipt(Flag(PrintHeader)); });
}

STDMETHODIMP FiscalPrinter::BeginFixedOutput(LONG Station, LONG DocumentType, LONG* pRC) {
  return CallService(pRC, [&] { return service_.BeginFixedOutput(Station, DocumentType); });
}

STDMETHODIMP FiscalPrinter::BeginInsertion(LONG Timeout, LONG* pRC) {
  return CallService(pRC, [&] { return service_.BeginInsertion(Timeout); });
}

STDMETHODIMP FiscalPrinter::BeginItemList(LONG VatID, LONG* pRC) {
  return CallService(pRC, [&] { return service_.BeginItemList(VatID); });
}

STDMETHODIMP FiscalPrinter::BeginNonFiscal(LONG* pRC) {
  return CallService(pRC, [&] { return service_.BeginNonFiscal(); });
}

STDMETHODIMP FiscalPrinter::BeginRemoval(LONG Timeout, LONG* pRC) {
  return CallService(pRC, [&] { return service_.BeginRemoval(Timeout); });
}

STDMETHODIMP FiscalPrinter::BeginTraining(LONG* pRC) {
  return CallService(pRC, [&] { return service_.BeginTraining(); });
}

STDMETHODIMP FiscalPrinter::ClearError(LONG* pRC) {
  return CallService(pRC, [&] { return service_.ClearError(); });
}

STDMETHODIMP FiscalPrinter::EndFiscalDocument(LONG* pRC) {
  return CallService(pRC, [&] { return service_.EndFiscalDocument(); });
}

STDMETHODIMP FiscalPrinter::EndFiscalReceipt(VARIANT_BOOL PrintHeader, LONG* pRC) {
  return CallService(pRC, [&] { return service_.EndFiscalReceipt(Flag(PrintHeader)); });
}

STDMETHODIMP FiscalPrinter::EndFixedOutput(LONG* pRC) {
  return CallService(pRC, [&] { return service_.EndFixedOutput(); });
}

STDMETHODIMP FiscalPrinter::EndInsertion(LONG* pRC) {
  return CallService(pRC, [&] { return service_.EndInsertion(); });
}

STDMETHODIMP FiscalPrinter::EndItemList(LONG* pRC) {
  return CallService(pRC, [&] { return service_.EndItemList(); });
}

STDMETHODIMP FiscalPrinter::EndNonFiscal(LONG* pRC) {
  return CallService(pRC, [&] { return service_.EndNonFiscal(); });
}

STDMETHODIMP FiscalPrinter::EndRemoval(LONG* pRC) {
  return CallService(pRC, [&] { return service_.EndRemoval(); });
}

STDMETHODIMP FiscalPrinter::EndTraining(LONG* pRC) {
  return CallService(pRC, [&] { return service_.EndTraining(); });
}

STDMETHODIMP FiscalPrinter::GetData(LONG DataItem, LONG* OptArgs, BSTR* Data, LONG* pRC) {
  LongArg optArgs(OptArgs, false);
  TextArg data(Data, false);
  return CallService(
      pRC, [&] { return service_.GetData(DataItem, optArgs, data); }, optArgs, data);
}

STDMETHODIMP FiscalPrinter::GetDate(BSTR* Date, LONG* pRC) {
  TextArg date(Date, false);
  return CallService(
      pRC, [&] { return service_.GetDate(date); }, date);
}

STDMETHODIMP FiscalPrinter::GetTotalizer(LONG VatID, LONG OptArgs, BSTR* Data, LONG* pRC) {
  TextArg data(Data, false);
  return CallService(
      pRC, [&] { return service_.GetTotalizer(VatID, OptArgs, data); }, data);
}

STDMETHODIMP FiscalPrinter::GetVatEntry(LONG VatID, LONG OptArgs, LONG* VatRate, LONG* pRC) {
  LongArg vatRate(VatRate, false);
  return CallService(
      pRC, [&] { return service_.GetVatEntry(VatID, OptArgs, vatRate); }, vatRate);
}

STDMETHODIMP FiscalPrinter::PrintDuplicateReceipt(LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintDuplicateReceipt(); });
}

STDMETHODIMP FiscalPrinter::PrintFiscalDocumentLine(BSTR DocumentLine, LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintFiscalDocumentLine(Text(DocumentLine)); });
}

STDMETHODIMP FiscalPrinter::PrintFixedOutput(LONG DocumentType, LONG LineNumber, BSTR Data,
                                             LONG* pRC) {
  return CallService(
      pRC, [&] { return service_.PrintFixedOutput(DocumentType, LineNumber, Text(Data)); });
}

STDMETHODIMP FiscalPrinter::PrintNormal(LONG Station, BSTR Data, LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintNormal(Station, Text(Data)); });
}

STDMETHODIMP FiscalPrinter::PrintPeriodicTotalsReport(BSTR Date1, BSTR Date2, LONG* pRC) {
  return CallService(pRC,
                     [&] { return service_.PrintPeriodicTotalsReport(Text(Date1), Text(Date2)); });
}

STDMETHODIMP FiscalPrinter::PrintPowerLossReport(LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintPowerLossReport(); });
}

STDMETHODIMP FiscalPrinter::PrintRecItem(BSTR Description, CURRENCY Price, LONG Quantity,
                                         LONG VatInfo, CURRENCY UnitPrice, BSTR UnitName,
                                         LONG* pRC) {
  return CallService(pRC, [&] {
    return service_.PrintRecItem(Text(Description), Money(Price), Quantity, VatInfo,
                                 Money(UnitPrice), Text(UnitName));
  });
}

STDMETHODIMP FiscalPrinter::PrintRecItemAdjustment(LONG AdjustmentType, BSTR Description,
                                                   CURRENCY Amount, LONG VatInfo, LONG* pRC) {
  return CallService(pRC, [&] {
    return service_.PrintRecItemAdjustment(AdjustmentType, Text(Description), Money(Amount),
                                           VatInfo);
  });
}

STDMETHODIMP FiscalPrinter::PrintRecMessage(BSTR Message, LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintRecMessage(Text(Message)); });
}

STDMETHODIMP FiscalPrinter::PrintRecNotPaid(BSTR Description, CURRENCY Amount, LONG* pRC) {
  return CallService(pRC,
                     [&] { return service_.PrintRecNotPaid(Text(Description), Money(Amount)); });
}

STDMETHODIMP FiscalPrinter::PrintRecRefund(BSTR Description, CURRENCY Amount, LONG VatInfo,
                                           LONG* pRC) {
  return CallService(
      pRC, [&] { return service_.PrintRecRefund(Text(Description), Money(Amount), VatInfo); });
}

STDMETHODIMP FiscalPrinter::PrintRecSubtotal(CURRENCY Amount, LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintRecSubtotal(Money(Amount)); });
}

STDMETHODIMP FiscalPrinter::PrintRecSubtotalAdjustment(LONG AdjustmentType, BSTR Description,
                                                       CURRENCY Amount, LONG* pRC) {
  return CallService(pRC, [&] {
    return service_.PrintRecSubtotalAdjustment(AdjustmentType, Text(Description), Money(Amount));
  });
}

STDMETHODIMP FiscalPrinter::PrintRecTotal(CURRENCY Total, CURRENCY Payment, BSTR Description,
                                          LONG* pRC) {
  return CallService(
      pRC, [&] { return service_.PrintRecTotal(Money(Total), Money(Payment), Text(Description)); });
}

STDMETHODIMP FiscalPrinter::PrintRecVoid(BSTR Description, LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintRecVoid(Text(Description)); });
}

STDMETHODIMP FiscalPrinter::PrintRecVoidItem(BSTR Description, CURRENCY Amount, LONG Quantity,
                                             LONG AdjustmentType, CURRENCY Adjustment, LONG VatInfo,
                                             LONG* pRC) {
  return CallService(pRC, [&] {
    return service_.PrintRecVoidItem(Text(Description), Money(Amount), Quantity, AdjustmentType,
                                     Money(Adjustment), VatInfo);
  });
}

STDMETHODIMP FiscalPrinter::PrintReport(LONG ReportType, BSTR StartNum, BSTR EndNum, LONG* pRC) {
  return CallService(
      pRC, [&] { return service_.PrintReport(ReportType, Text(StartNum), Text(EndNum)); });
}

STDMETHODIMP FiscalPrinter::PrintXReport(LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintXReport(); });
}

STDMETHODIMP FiscalPrinter::PrintZReport(LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintZReport(); });
}

STDMETHODIMP FiscalPrinter::ResetPrinter(LONG* pRC) {
  return CallService(pRC, [&] { return service_.ResetPrinter(); });
}

STDMETHODIMP FiscalPrinter::SetDate(BSTR Date, LONG* pRC) {
  return CallService(pRC, [&] { return service_.SetDate(Text(Date)); });
}

STDMETHODIMP FiscalPrinter::SetHeaderLine(LONG LineNumber, BSTR LineText, VARIANT_BOOL DoubleWidth,
                                          LONG* pRC) {
  return CallService(
      pRC, [&] { return service_.SetHeaderLine(LineNumber, Text(LineText), Flag(DoubleWidth)); });
}

STDMETHODIMP FiscalPrinter::SetPOSID(BSTR POSID, BSTR CashierID, LONG* pRC) {
  return CallService(pRC, [&] { return service_.SetPOSID(Text(POSID), Text(CashierID)); });
}

STDMETHODIMP FiscalPrinter::SetStoreFiscalID(BSTR ID, LONG* pRC) {
  return CallService(pRC, [&] { return service_.SetStoreFiscalID(Text(ID)); });
}

STDMETHODIMP FiscalPrinter::SetTrailerLine(LONG LineNumber, BSTR LineText, VARIANT_BOOL DoubleWidth,
                                           LONG* pRC) {
  return CallService(
      pRC, [&] { return service_.SetTrailerLine(LineNumber, Text(LineText), Flag(DoubleWidth)); });
}

STDMETHODIMP FiscalPrinter::SetVatTable(LONG* pRC) {
  return CallService(pRC, [&] { return service_.SetVatTable(); });
}

STDMETHODIMP FiscalPrinter::SetVatValue(LONG VatID, BSTR VatValue, LONG* pRC) {
  return CallService(pRC, [&] { return service_.SetVatValue(VatID, Text(VatValue)); });
}

STDMETHODIMP FiscalPrinter::VerifyItem(BSTR ItemName, LONG VatID, LONG* pRC) {
  return CallService(pRC, [&] { return service_.VerifyItem(Text(ItemName), VatID); });
}

STDMETHODIMP FiscalPrinter::PrintRecCash(CURRENCY Amount, LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintRecCash(Money(Amount)); });
}

STDMETHODIMP FiscalPrinter::PrintRecItemFuel(BSTR Description, CURRENCY Price, LONG Quantity,
                                             LONG VatInfo, CURRENCY UnitPrice, BSTR UnitName,
                                             CURRENCY SpecialTax, BSTR SpecialTaxName, LONG* pRC) {
  return CallService(pRC, [&] {
    return service_.PrintRecItemFuel(Text(Description), Money(Price), Quantity, VatInfo,
                                     Money(UnitPrice), Text(UnitName), Money(SpecialTax),
                                     Text(SpecialTaxName));
  });
}

STDMETHODIMP FiscalPrinter::PrintRecItemFuelVoid(BSTR Description, CURRENCY Price, LONG VatInfo,
                                                 CURRENCY SpecialTax, LONG* pRC) {
  return CallService(pRC, [&] {
    return service_.PrintRecItemFuelVoid(Text(Description), Money(Price), VatInfo,
                                         Money(SpecialTax));
  });
}

STDMETHODIMP FiscalPrinter::PrintRecPackageAdjustment(LONG AdjustmentType, BSTR Description,
                                                      BSTR VatAdjustment, LONG* pRC) {
  return CallService(pRC, [&] {
    return service_.PrintRecPackageAdjustment(AdjustmentType, Text(Description),
                                              Text(VatAdjustment));
  });
}

STDMETHODIMP FiscalPrinter::PrintRecPackageAdjustVoid(LONG AdjustmentType, BSTR VatAdjustment,
                                                      LONG* pRC) {
  return CallService(
      pRC, [&] { return service_.PrintRecPackageAdjustVoid(AdjustmentType, Text(VatAdjustment)); });
}

STDMETHODIMP FiscalPrinter::PrintRecRefundVoid(BSTR Description, CURRENCY Amount, LONG VatInfo,
                                               LONG* pRC) {
  return CallService(
      pRC, [&] { return service_.PrintRecRefundVoid(Text(Description), Money(Amount), VatInfo); });
}

STDMETHODIMP FiscalPrinter::PrintRecSubtotalAdjustVoid(LONG AdjustmentType, CURRENCY Amount,
                                                       LONG* pRC) {
  return CallService(
      pRC, [&] { return service_.PrintRecSubtotalAdjustVoid(AdjustmentType, Money(Amount)); });
}

STDMETHODIMP FiscalPrinter::PrintRecTaxID(BSTR TaxID, LONG* pRC) {
  return CallService(pRC, [&] { return service_.PrintRecTaxID(Text(TaxID)); });
}

STDMETHODIMP FiscalPrinter::SetCurrency(LONG NewCurrency, LONG* pRC) {
  return CallService(pRC, [&] { return service_.SetCurrency(NewCurrency); });
}

STDMETHODIMP FiscalPrinter::GetOpenResult(LONG* pRC) {
  return CallService(pRC, [&] { return service_.GetOpenResult(); });
}

}  // namespace orn::com
