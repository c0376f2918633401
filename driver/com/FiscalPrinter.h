#pragma once
// The COM object of the FiscPrinter class: IUnknown, IDispatch through the type information,
// and IFptr, whose methods convert BSTR, CURRENCY and VARIANT_BOOL and forward to
// FptrService (FptrMethods.cpp). Nothing thrown inside gets out of a method.

#include <windows.h>

#include "FptrInterface.h"
#include "platform/win32/Win32CommPort.h"
#include "platform/win32/Win32PortProvider.h"
#include "platform/win32/Win32Platform.h"
#include "service/FptrService.h"

namespace orn::com {

class FiscalPrinter final : public IFptr {
 public:
  // Locks the module for the object's life; touches neither the registry nor a port.
  FiscalPrinter();
  ~FiscalPrinter();
  FiscalPrinter(const FiscalPrinter&) = delete;
  FiscalPrinter& operator=(const FiscalPrinter&) = delete;

  // IUnknown: IUnknown, IDispatch and IFptr are one interface pointer; nothing else.
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  // IFptr, in dispatch id order
  STDMETHODIMP get_OpenResult(LONG* pOpenResult) override;
  STDMETHODIMP COFreezeEvents(VARIANT_BOOL Freeze, LONG* pRC) override;
  STDMETHODIMP GetPropertyNumber(LONG PropIndex, LONG* pNumber) override;
  STDMETHODIMP SetPropertyNumber(LONG PropIndex, LONG Number) override;
  STDMETHODIMP GetPropertyString(LONG PropIndex, BSTR* pString) override;
  STDMETHODIMP SetPropertyString(LONG PropIndex, BSTR String) override;
  STDMETHODIMP OpenService(BSTR DeviceClass, BSTR DeviceName, IDispatch* pDispatch,
                           LONG* pRC) override;
  STDMETHODIMP CloseService(LONG* pRC) override;
  STDMETHODIMP CheckHealth(LONG Level, LONG* pRC) override;
  STDMETHODIMP ClaimDevice(LONG Timeout, LONG* pRC) override;
  STDMETHODIMP ClearOutput(LONG* pRC) override;
  STDMETHODIMP DirectIO(LONG Command, LONG* pData, BSTR* pString, LONG* pRC) override;
  STDMETHODIMP ReleaseDevice(LONG* pRC) override;
  STDMETHODIMP BeginFiscalDocument(LONG DocumentAmount, LONG* pRC) override;
  STDMETHODIMP BeginFiscalReceipt(VARIANT_BOOL PrintHeader, LONG* pRC) override;
  STDMETHODIMP BeginFixedOutput(LONG Station, LONG DocumentType, LONG* pRC) override;
  STDMETHODIMP BeginInsertion(LONG Timeout, LONG* pRC) override;
  STDMETHODIMP BeginItemList(LONG VatID, LONG* pRC) override;
  STDMETHODIMP BeginNonFiscal(LONG* pRC) override;
  STDMETHODIMP BeginRemoval(LONG Timeout, LONG* pRC) override;
  STDMETHODIMP BeginTraining(LONG* pRC) override;
  STDMETHODIMP ClearError(LONG* pRC) override;
  STDMETHODIMP EndFiscalDocument(LONG* pRC) override;
  STDMETHODIMP EndFiscalReceipt(VARIANT_BOOL PrintHeader, LONG* pRC) override;
  STDMETHODIMP EndFixedOutput(LONG* pRC) override;
  STDMETHODIMP EndInsertion(LONG* pRC) override;
  STDMETHODIMP EndItemList(LONG* pRC) override;
  STDMETHODIMP EndNonFiscal(LONG* pRC) override;
  STDMETHODIMP EndRemoval(LONG* pRC) override;
  STDMETHODIMP EndTraining(LONG* pRC) override;
  STDMETHODIMP GetData(LONG DataItem, LONG* OptArgs, BSTR* Data, LONG* pRC) override;
  STDMETHODIMP GetDate(BSTR* Date, LONG* pRC) override;
  STDMETHODIMP GetTotalizer(LONG VatID, LONG OptArgs, BSTR* Data, LONG* pRC) override;
  STDMETHODIMP GetVatEntry(LONG VatID, LONG OptArgs, LONG* VatRate, LONG* pRC) override;
  STDMETHODIMP PrintDuplicateReceipt(LONG* pRC) override;
  STDMETHODIMP PrintFiscalDocumentLine(BSTR DocumentLine, LONG* pRC) override;
  STDMETHODIMP PrintFixedOutput(LONG DocumentType, LONG LineNumber, BSTR Data, LONG* pRC) override;
  STDMETHODIMP PrintNormal(LONG Station, BSTR Data, LONG* pRC) override;
  STDMETHODIMP PrintPeriodicTotalsReport(BSTR Date1, BSTR Date2, LONG* pRC) override;
  STDMETHODIMP PrintPowerLossReport(LONG* pRC) override;
  STDMETHODIMP PrintRecItem(BSTR Description, CURRENCY Price, LONG Quantity, LONG VatInfo,
                            CURRENCY UnitPrice, BSTR UnitName, LONG* pRC) override;
  STDMETHODIMP PrintRecItemAdjustment(LONG AdjustmentType, BSTR Description, CURRENCY Amount,
                                      LONG VatInfo, LONG* pRC) override;
  STDMETHODIMP PrintRecMessage(BSTR Message, LONG* pRC) override;
  STDMETHODIMP PrintRecNotPaid(BSTR Description, CURRENCY Amount, LONG* pRC) override;
  STDMETHODIMP PrintRecRefund(BSTR Description, CURRENCY Amount, LONG VatInfo, LONG* pRC) override;
  STDMETHODIMP PrintRecSubtotal(CURRENCY Amount, LONG* pRC) override;
  STDMETHODIMP PrintRecSubtotalAdjustment(LONG AdjustmentType, BSTR Description, CURRENCY Amount,
                                          LONG* pRC) override;
  STDMETHODIMP PrintRecTotal(CURRENCY Total, CURRENCY Payment, BSTR Description,
                             LONG* pRC) override;
  STDMETHODIMP PrintRecVoid(BSTR Description, LONG* pRC) override;
  STDMETHODIMP PrintRecVoidItem(BSTR Description, CURRENCY Amount, LONG Quantity,
                                LONG AdjustmentType, CURRENCY Adjustment, LONG VatInfo,
                                LONG* pRC) override;
  STDMETHODIMP PrintReport(LONG ReportType, BSTR StartNum, BSTR EndNum, LONG* pRC) override;
  STDMETHODIMP PrintXReport(LONG* pRC) override;
  STDMETHODIMP PrintZReport(LONG* pRC) override;
  STDMETHODIMP ResetPrinter(LONG* pRC) override;
  STDMETHODIMP SetDate(BSTR Date, LONG* pRC) override;
  STDMETHODIMP SetHeaderLine(LONG LineNumber, BSTR Text, VARIANT_BOOL DoubleWidth,
                             LONG* pRC) override;
  STDMETHODIMP SetPOSID(BSTR POSID, BSTR CashierID, LONG* pRC) override;
  STDMETHODIMP SetStoreFiscalID(BSTR ID, LONG* pRC) override;
  STDMETHODIMP SetTrailerLine(LONG LineNumber, BSTR Text, VARIANT_BOOL DoubleWidth,
                              LONG* pRC) override;
  STDMETHODIMP SetVatTable(LONG* pRC) override;
  STDMETHODIMP SetVatValue(LONG VatID, BSTR VatValue, LONG* pRC) override;
  STDMETHODIMP VerifyItem(BSTR ItemName, LONG VatID, LONG* pRC) override;
  STDMETHODIMP PrintRecCash(CURRENCY Amount, LONG* pRC) override;
  STDMETHODIMP PrintRecItemFuel(BSTR Description, CURRENCY Price, LONG Quantity, LONG VatInfo,
                                CURRENCY UnitPrice, BSTR UnitName, CURRENCY SpecialTax,
                                BSTR SpecialTaxName, LONG* pRC) override;
  STDMETHODIMP PrintRecItemFuelVoid(BSTR Description, CURRENCY Price, LONG VatInfo,
                                    CURRENCY SpecialTax, LONG* pRC) override;
  STDMETHODIMP PrintRecPackageAdjustment(LONG AdjustmentType, BSTR Description, BSTR VatAdjustment,
                                         LONG* pRC) override;
  STDMETHODIMP PrintRecPackageAdjustVoid(LONG AdjustmentType, BSTR VatAdjustment,
                                         LONG* pRC) override;
  STDMETHODIMP PrintRecRefundVoid(BSTR Description, CURRENCY Amount, LONG VatInfo,
                                  LONG* pRC) override;
  STDMETHODIMP PrintRecSubtotalAdjustVoid(LONG AdjustmentType, CURRENCY Amount, LONG* pRC) override;
  STDMETHODIMP PrintRecTaxID(BSTR TaxID, LONG* pRC) override;
  STDMETHODIMP SetCurrency(LONG NewCurrency, LONG* pRC) override;
  STDMETHODIMP GetOpenResult(LONG* pRC) override;

 private:
  LONG references_ = 0;
  platform::Win32Platform platform_;
  platform::Win32PortProvider ports_;
  service::FptrService service_;
};

}  // namespace orn::com
