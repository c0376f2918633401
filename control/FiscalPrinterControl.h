#pragma once
// The stand-in of the standard OPOS FiscalPrinter control: the dual interface
// IOPOSFiscalPrinter (and its per-release bases, all one object), with every method and
// property passed on to the service object by name as the standard control does.
//
// Files: ControlObject.cpp (COM identity, dispatch through the type library),
// ControlLifecycle.cpp (Open, Close, ClaimDevice, ReleaseDevice and the call of a service
// method), ControlPropertyAccess.cpp (properties), ControlEvents.cpp (the service object's
// callbacks).

#include <windows.h>

#include <ocidl.h>

#include <atomic>
#include <optional>

#include "EventConnection.h"
#include "EventWindow.h"
#include "OposFiscalPrinter.h"
#include "ServiceArgs.h"
#include "ServiceObject.h"

namespace orn::control {

class FiscalPrinterControl final : public IOPOSFiscalPrinter,
                                   public IProvideClassInfo2,
                                   public IConnectionPointContainer {
 public:
  static HRESULT Create(REFIID riid, void** object);

  // IUnknown, IDispatch (ControlObject.cpp)
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argError) override;

  // IProvideClassInfo2, IConnectionPointContainer (ControlObject.cpp)
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** out) override;

  // The service object's callbacks (ControlEvents.cpp)
  HRESULT STDMETHODCALLTYPE SODataDummy(LONG Status) override;
  HRESULT STDMETHODCALLTYPE SODirectIO(LONG EventNumber, LONG* pData, BSTR* pString) override;
  HRESULT STDMETHODCALLTYPE SOError(LONG ResultCode, LONG ResultCodeExtended, LONG ErrorLocus,
                                    LONG* pErrorResponse) override;
  HRESULT STDMETHODCALLTYPE SOOutputComplete(LONG OutputID) override;
  HRESULT STDMETHODCALLTYPE SOStatusUpdate(LONG Data) override;
  HRESULT STDMETHODCALLTYPE SOProcessID(LONG* pProcessID) override;

  // Methods with the control's own steps (ControlLifecycle.cpp)
  HRESULT STDMETHODCALLTYPE Open(BSTR DeviceName, LONG* pRC) override;
  HRESULT STDMETHODCALLTYPE Close(LONG* pRC) override;
  HRESULT STDMETHODCALLTYPE ClaimDevice(LONG Timeout, LONG* pRC) override;
  HRESULT STDMETHODCALLTYPE ReleaseDevice(LONG* pRC) override;

  // Properties the control answers itself (ControlPropertyAccess.cpp)
  HRESULT STDMETHODCALLTYPE get_OpenResult(LONG* pOpenResult) override;
  HRESULT STDMETHODCALLTYPE get_ResultCode(LONG* pResultCode) override;
  HRESULT STDMETHODCALLTYPE get_State(LONG* pState) override;
  HRESULT STDMETHODCALLTYPE get_ControlObjectDescription(BSTR* pDescription) override;
  HRESULT STDMETHODCALLTYPE get_ControlObjectVersion(LONG* pVersion) override;
  HRESULT STDMETHODCALLTYPE get_FreezeEvents(VARIANT_BOOL* pFreezeEvents) override;
  HRESULT STDMETHODCALLTYPE put_FreezeEvents(VARIANT_BOOL FreezeEvents) override;

  // Properties passed on to the service object, one pair of lines per row of the table.
  using LongValue = LONG;
  using BoolValue = VARIANT_BOOL;
  using StringValue = BSTR;
#define ORN_PROPERTY_ReadOnly(type, name, pidx, minor)                \
  HRESULT STDMETHODCALLTYPE get_##name(type##Value* value) override { \
    return Get##type(pidx, minor, value);                             \
  }
#define ORN_PROPERTY_ReadWrite(type, name, pidx, minor)                  \
  ORN_PROPERTY_ReadOnly(type, name, pidx, minor)                         \
      HRESULT STDMETHODCALLTYPE put_##name(type##Value value) override { \
    return Put##type(pidx, minor, value);                                \
  }
#define ORN_PROPERTY(type, access, name, pidx, minor) ORN_PROPERTY_##access(type, name, pidx, minor)
#include "ControlProperties.def"
#undef ORN_PROPERTY
#undef ORN_PROPERTY_ReadWrite
#undef ORN_PROPERTY_ReadOnly

  // Methods passed on to the service object method of the same name.
  HRESULT STDMETHODCALLTYPE CheckHealth(LONG Level, LONG* pRC) override {
    return Forward(kCheckHealth, pRC, Level);
  }
  HRESULT STDMETHODCALLTYPE ClearOutput(LONG* pRC) override {
    return Forward(kClearOutput, pRC);
  }
  HRESULT STDMETHODCALLTYPE DirectIO(LONG Command, LONG* pData, BSTR* pString, LONG* pRC) override {
    return Forward(kDirectIO, pRC, Command, pData, pString);
  }
  HRESULT STDMETHODCALLTYPE BeginFiscalDocument(LONG DocumentAmount, LONG* pRC) override {
    return Forward(kBeginFiscalDocument, pRC, DocumentAmount);
  }
  HRESULT STDMETHODCALLTYPE BeginFiscalReceipt(VARIANT_BOOL PrintHeader, LONG* pRC) override {
    return Forward(kBeginFiscalReceipt, pRC, PrintHeader);
  }
  HRESULT STDMETHODCALLTYPE BeginFixedOutput(LONG Station, LONG DocumentType, LONG* pRC) override {
    return Forward(kBeginFixedOutput, pRC, Station, DocumentType);
  }
  HRESULT STDMETHODCALLTYPE BeginInsertion(LONG Timeout, LONG* pRC) override {
    return Forward(kBeginInsertion, pRC, Timeout);
  }
  HRESULT STDMETHODCALLTYPE BeginItemList(LONG VatID, LONG* pRC) override {
    return Forward(kBeginItemList, pRC, VatID);
  }
  HRESULT STDMETHODCALLTYPE BeginNonFiscal(LONG* pRC) override {
    return Forward(kBeginNonFiscal, pRC);
  }
  HRESULT STDMETHODCALLTYPE BeginRemoval(LONG Timeout, LONG* pRC) override {
    return Forward(kBeginRemoval, pRC, Timeout);
  }
  HRESULT STDMETHODCALLTYPE BeginTraining(LONG* pRC) override {
    return Forward(kBeginTraining, pRC);
  }
  HRESULT STDMETHODCALLTYPE ClearError(LONG* pRC) override {
    return Forward(kClearError, pRC);
  }
  HRESULT STDMETHODCALLTYPE EndFiscalDocument(LONG* pRC) override {
    return Forward(kEndFiscalDocument, pRC);
  }
  HRESULT STDMETHODCALLTYPE EndFiscalReceipt(VARIANT_BOOL PrintHeader, LONG* pRC) override {
    return Forward(kEndFiscalReceipt, pRC, PrintHeader);
  }
  HRESULT STDMETHODCALLTYPE EndFixedOutput(LONG* pRC) override {
    return Forward(kEndFixedOutput, pRC);
  }
  HRESULT STDMETHODCALLTYPE EndInsertion(LONG* pRC) override {
    return Forward(kEndInsertion, pRC);
  }
  HRESULT STDMETHODCALLTYPE EndItemList(LONG* pRC) override {
    return Forward(kEndItemList, pRC);
  }
  HRESULT STDMETHODCALLTYPE EndNonFiscal(LONG* pRC) override {
    return Forward(kEndNonFiscal, pRC);
  }
  HRESULT STDMETHODCALLTYPE EndRemoval(LONG* pRC) override {
    return Forward(kEndRemoval, pRC);
  }
  HRESULT STDMETHODCALLTYPE EndTraining(LONG* pRC) override {
    return Forward(kEndTraining, pRC);
  }
  HRESULT STDMETHODCALLTYPE GetData(LONG DataItem, LONG* OptArgs, BSTR* Data, LONG* pRC) override {
    return Forward(kGetData, pRC, DataItem, OptArgs, NullOut(Data));
  }
  HRESULT STDMETHODCALLTYPE GetDate(BSTR* Date, LONG* pRC) override {
    return Forward(kGetDate, pRC, NullOut(Date));
  }
  HRESULT STDMETHODCALLTYPE GetTotalizer(LONG VatID, LONG OptArgs, BSTR* Data, LONG* pRC) override {
    return Forward(kGetTotalizer, pRC, VatID, OptArgs, NullOut(Data));
  }
  HRESULT STDMETHODCALLTYPE GetVatEntry(LONG VatID, LONG OptArgs, LONG* VatRate,
                                        LONG* pRC) override {
    return Forward(kGetVatEntry, pRC, VatID, OptArgs, VatRate);
  }
  HRESULT STDMETHODCALLTYPE PrintDuplicateReceipt(LONG* pRC) override {
    return Forward(kPrintDuplicateReceipt, pRC);
  }
  HRESULT STDMETHODCALLTYPE PrintFiscalDocumentLine(BSTR DocumentLine, LONG* pRC) override {
    return Forward(kPrintFiscalDocumentLine, pRC, DocumentLine);
  }
  HRESULT STDMETHODCALLTYPE PrintFixedOutput(LONG DocumentType, LONG LineNumber, BSTR Data,
                                             LONG* pRC) override {
    return Forward(kPrintFixedOutput, pRC, DocumentType, LineNumber, Data);
  }
  HRESULT STDMETHODCALLTYPE PrintNormal(LONG Station, BSTR Data, LONG* pRC) override {
    return Forward(kPrintNormal, pRC, Station, Data);
  }
  HRESULT STDMETHODCALLTYPE PrintPeriodicTotalsReport(BSTR Date1, BSTR Date2, LONG* pRC) override {
    return Forward(kPrintPeriodicTotalsReport, pRC, Date1, Date2);
  }
  HRESULT STDMETHODCALLTYPE PrintPowerLossReport(LONG* pRC) override {
    return Forward(kPrintPowerLossReport, pRC);
  }
  HRESULT STDMETHODCALLTYPE PrintRecItem(BSTR Description, CY Price, LONG Quantity, LONG VatInfo,
                                         CY UnitPrice, BSTR UnitName, LONG* pRC) override {
    return Forward(kPrintRecItem, pRC, Description, Price, Quantity, VatInfo, UnitPrice, UnitName);
  }
  HRESULT STDMETHODCALLTYPE PrintRecItemAdjustment(LONG AdjustmentType, BSTR Description, CY Amount,
                                                   LONG VatInfo, LONG* pRC) override {
    return Forward(kPrintRecItemAdjustment, pRC, AdjustmentType, Description, Amount, VatInfo);
  }
  HRESULT STDMETHODCALLTYPE PrintRecMessage(BSTR Message, LONG* pRC) override {
    return Forward(kPrintRecMessage, pRC, Message);
  }
  HRESULT STDMETHODCALLTYPE PrintRecNotPaid(BSTR Description, CY Amount, LONG* pRC) override {
    return Forward(kPrintRecNotPaid, pRC, Description, Amount);
  }
  HRESULT STDMETHODCALLTYPE PrintRecRefund(BSTR Description, CY Amount, LONG VatInfo,
                                           LONG* pRC) override {
    return Forward(kPrintRecRefund, pRC, Description, Amount, VatInfo);
  }
  HRESULT STDMETHODCALLTYPE PrintRecSubtotal(CY Amount, LONG* pRC) override {
    return Forward(kPrintRecSubtotal, pRC, Amount);
  }
  HRESULT STDMETHODCALLTYPE PrintRecSubtotalAdjustment(LONG AdjustmentType, BSTR Description,
                                                       CY Amount, LONG* pRC) override {
    return Forward(kPrintRecSubtotalAdjustment, pRC, AdjustmentType, Description, Amount);
  }
  HRESULT STDMETHODCALLTYPE PrintRecTotal(CY Total, CY Payment, BSTR Description,
                                          LONG* pRC) override {
    return Forward(kPrintRecTotal, pRC, Total, Payment, Description);
  }
  HRESULT STDMETHODCALLTYPE PrintRecVoid(BSTR Description, LONG* pRC) override {
    return Forward(kPrintRecVoid, pRC, Description);
  }
  HRESULT STDMETHODCALLTYPE PrintRecVoidItem(BSTR Description, CY Amount, LONG Quantity,
                                             LONG AdjustmentType, CY Adjustment, LONG VatInfo,
                                             LONG* pRC) override {
    return Forward(kPrintRecVoidItem, pRC, Description, Amount, Quantity, AdjustmentType,
                   Adjustment, VatInfo);
  }
  HRESULT STDMETHODCALLTYPE PrintReport(LONG ReportType, BSTR StartNum, BSTR EndNum,
                                        LONG* pRC) override {
    return Forward(kPrintReport, pRC, ReportType, StartNum, EndNum);
  }
  HRESULT STDMETHODCALLTYPE PrintXReport(LONG* pRC) override {
    return Forward(kPrintXReport, pRC);
  }
  HRESULT STDMETHODCALLTYPE PrintZReport(LONG* pRC) override {
    return Forward(kPrintZReport, pRC);
  }
  HRESULT STDMETHODCALLTYPE ResetPrinter(LONG* pRC) override {
    return Forward(kResetPrinter, pRC);
  }
  HRESULT STDMETHODCALLTYPE SetDate(BSTR Date, LONG* pRC) override {
    return Forward(kSetDate, pRC, Date);
  }
  HRESULT STDMETHODCALLTYPE SetHeaderLine(LONG LineNumber, BSTR Text, VARIANT_BOOL DoubleWidth,
                                          LONG* pRC) override {
    return Forward(kSetHeaderLine, pRC, LineNumber, Text, DoubleWidth);
  }
  HRESULT STDMETHODCALLTYPE SetPOSID(BSTR POSID, BSTR CashierID, LONG* pRC) override {
    return Forward(kSetPOSID, pRC, POSID, CashierID);
  }
  HRESULT STDMETHODCALLTYPE SetStoreFiscalID(BSTR ID, LONG* pRC) override {
    return Forward(kSetStoreFiscalID, pRC, ID);
  }
  HRESULT STDMETHODCALLTYPE SetTrailerLine(LONG LineNumber, BSTR Text, VARIANT_BOOL DoubleWidth,
                                           LONG* pRC) override {
    return Forward(kSetTrailerLine, pRC, LineNumber, Text, DoubleWidth);
  }
  HRESULT STDMETHODCALLTYPE SetVatTable(LONG* pRC) override {
    return Forward(kSetVatTable, pRC);
  }
  HRESULT STDMETHODCALLTYPE SetVatValue(LONG VatID, BSTR VatValue, LONG* pRC) override {
    return Forward(kSetVatValue, pRC, VatID, VatValue);
  }
  HRESULT STDMETHODCALLTYPE VerifyItem(BSTR ItemName, LONG VatID, LONG* pRC) override {
    return Forward(kVerifyItem, pRC, ItemName, VatID);
  }
  HRESULT STDMETHODCALLTYPE PrintRecCash(CY Amount, LONG* pRC) override {
    return Forward(kPrintRecCash, pRC, Amount);
  }
  HRESULT STDMETHODCALLTYPE PrintRecItemFuel(BSTR Description, CY Price, LONG Quantity,
                                             LONG VatInfo, CY UnitPrice, BSTR UnitName,
                                             CY SpecialTax, BSTR SpecialTaxName,
                                             LONG* pRC) override {
    return Forward(kPrintRecItemFuel, pRC, Description, Price, Quantity, VatInfo, UnitPrice,
                   UnitName, SpecialTax, SpecialTaxName);
  }
  HRESULT STDMETHODCALLTYPE PrintRecItemFuelVoid(BSTR Description, CY Price, LONG VatInfo,
                                                 CY SpecialTax, LONG* pRC) override {
    return Forward(kPrintRecItemFuelVoid, pRC, Description, Price, VatInfo, SpecialTax);
  }
  HRESULT STDMETHODCALLTYPE PrintRecPackageAdjustment(LONG AdjustmentType, BSTR Description,
                                                      BSTR VatAdjustment, LONG* pRC) override {
    return Forward(kPrintRecPackageAdjustment, pRC, AdjustmentType, Description, VatAdjustment);
  }
  HRESULT STDMETHODCALLTYPE PrintRecPackageAdjustVoid(LONG AdjustmentType, BSTR VatAdjustment,
                                                      LONG* pRC) override {
    return Forward(kPrintRecPackageAdjustVoid, pRC, AdjustmentType, VatAdjustment);
  }
  HRESULT STDMETHODCALLTYPE PrintRecRefundVoid(BSTR Description, CY Amount, LONG VatInfo,
                                               LONG* pRC) override {
    return Forward(kPrintRecRefundVoid, pRC, Description, Amount, VatInfo);
  }
  HRESULT STDMETHODCALLTYPE PrintRecSubtotalAdjustVoid(LONG AdjustmentType, CY Amount,
                                                       LONG* pRC) override {
    return Forward(kPrintRecSubtotalAdjustVoid, pRC, AdjustmentType, Amount);
  }
  HRESULT STDMETHODCALLTYPE PrintRecTaxID(BSTR TaxID, LONG* pRC) override {
    return Forward(kPrintRecTaxID, pRC, TaxID);
  }
  HRESULT STDMETHODCALLTYPE SetCurrency(LONG NewCurrency, LONG* pRC) override {
    return Forward(kSetCurrency, pRC, NewCurrency);
  }
  HRESULT STDMETHODCALLTYPE ResetStatistics(BSTR StatisticsBuffer, LONG* pRC) override {
    return Forward(kResetStatistics, pRC, StatisticsBuffer);
  }
  HRESULT STDMETHODCALLTYPE RetrieveStatistics(BSTR* pStatisticsBuffer, LONG* pRC) override {
    return Forward(kRetrieveStatistics, pRC, pStatisticsBuffer);
  }
  HRESULT STDMETHODCALLTYPE UpdateStatistics(BSTR StatisticsBuffer, LONG* pRC) override {
    return Forward(kUpdateStatistics, pRC, StatisticsBuffer);
  }
  HRESULT STDMETHODCALLTYPE CompareFirmwareVersion(BSTR FirmwareFileName, LONG* pResult,
                                                   LONG* pRC) override {
    return Forward(kCompareFirmwareVersion, pRC, FirmwareFileName, pResult);
  }
  HRESULT STDMETHODCALLTYPE UpdateFirmware(BSTR FirmwareFileName, LONG* pRC) override {
    return Forward(kUpdateFirmware, pRC, FirmwareFileName);
  }
  HRESULT STDMETHODCALLTYPE PrintRecItemAdjustmentVoid(LONG AdjustmentType, BSTR Description,
                                                       CY Amount, LONG VatInfo,
                                                       LONG* pRC) override {
    return Forward(kPrintRecItemAdjustmentVoid, pRC, AdjustmentType, Description, Amount, VatInfo);
  }
  HRESULT STDMETHODCALLTYPE PrintRecItemVoid(BSTR Description, CY Price, LONG Quantity,
                                             LONG VatInfo, CY UnitPrice, BSTR UnitName,
                                             LONG* pRC) override {
    return Forward(kPrintRecItemVoid, pRC, Description, Price, Quantity, VatInfo, UnitPrice,
                   UnitName);
  }
  HRESULT STDMETHODCALLTYPE PrintRecItemRefund(BSTR Description, CY Amount, LONG Quantity,
                                               LONG VatInfo, CY UnitAmount, BSTR UnitName,
                                               LONG* pRC) override {
    return Forward(kPrintRecItemRefund, pRC, Description, Amount, Quantity, VatInfo, UnitAmount,
                   UnitName);
  }
  HRESULT STDMETHODCALLTYPE PrintRecItemRefundVoid(BSTR Description, CY Amount, LONG Quantity,
                                                   LONG VatInfo, CY UnitAmount, BSTR UnitName,
                                                   LONG* pRC) override {
    return Forward(kPrintRecItemRefundVoid, pRC, Description, Amount, Quantity, VatInfo, UnitAmount,
                   UnitName);
  }

 private:
  FiscalPrinterControl();
  ~FiscalPrinterControl();

  template <typename... Args>
  HRESULT Forward(ServiceMethod method, LONG* pRC, Args... args) {
    VARIANTARG values[sizeof...(Args) + 1];
    SetArgs(values, args...);
    return CallService(method, values, sizeof...(Args), pRC, true);
  }
  // Calls a service method for a method of the control: 101 while closed, 104 (kept for
  // ResultCode) beyond the service object's release when `gated`, or when the call fails.
  HRESULT CallService(ServiceMethod method, VARIANTARG* args, UINT count, LONG* pRC, bool gated);
  // Sets the result the ResultCode property reports instead of asking the service object.
  void KeepResult(LONG* pRC, long result);
  HRESULT CloseService(LONG* pRC);
  HRESULT LoadTypeInfo();
  void RaiseEvent(DISPID id, const wchar_t* name, VARIANTARG* args, UINT count);

  // Property access through the service object's Get/SetProperty methods, when open and
  // when its release is at least `minor` (ControlPropertyAccess.cpp).
  bool MayAsk(long minor) const;
  HRESULT PutProperty(ServiceMethod setter, long pidx, long minor, VARIANTARG value);
  HRESULT GetLong(long pidx, long minor, LONG* value);
  HRESULT PutLong(long pidx, long minor, LONG value);
  HRESULT GetBool(long pidx, long minor, VARIANT_BOOL* value);
  HRESULT PutBool(long pidx, long minor, VARIANT_BOOL value);
  HRESULT GetString(long pidx, long minor, BSTR* value);
  HRESULT PutString(long pidx, long minor, BSTR value);

  LONG references_ = 0;
  ITypeInfo* typeInfo_ = nullptr;
  EventConnection events_{this};
  EventWindow window_;
  // Read by callbacks of the service object on other threads.
  std::atomic<bool> eventsEnabled_{false};
  std::atomic<bool> frozen_{false};
  ServiceObject service_;
  bool open_ = false;
  long openResult_ = 0;
  std::optional<long> controlResult_;
};

}  // namespace orn::control
