#pragma once
// untFptr: the bench's typed wrapper of the OPOS FiscalPrinter control. One operation per
// OPOS method the pages call, typed property access by dispatch id, and access by name for
// the property lists. A failing HRESULT raises a BenchError; an OPOS result code is
// returned, never raised.

#include <oaidl.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "FptrEvents.h"

struct IOPOSFiscalPrinter_1_6;

namespace orn::bench {

// Dispatch ids of the properties the pages read and write.
enum PropertyId : DISPID {
  pidBinaryConversion = 11,
  pidCheckHealthText = 13,
  pidDeviceEnabled = 17,
  pidFreezeEvents = 18,
  pidPowerNotify = 20,
  pidResultCode = 22,
  pidResultCodeExtended = 23,
  pidOpenResult = 49,
  pidAsyncMode = 51,
  pidCheckTotal = 95,
  pidDuplicateReceipt = 100,
  pidErrorString = 105,
  pidFlagWhenIdle = 106,
  pidNumHeaderLines = 110,
  pidNumTrailerLines = 111,
  pidPrinterState = 114,
  pidSlipSelection = 121,
  pidAdditionalHeader = 211,
  pidAdditionalTrailer = 212,
  pidChangeDue = 225,
  pidContractorId = 226,
  pidDateType = 227,
  pidFiscalReceiptStation = 228,
  pidFiscalReceiptType = 229,
  pidMessageType = 230,
  pidPostLine = 231,
  pidPreLine = 232,
  pidTotalizerType = 233,
};

// A VARIANT owned by the bench: a property value read by name.
class Variant {
 public:
  Variant() { ::VariantInit(&value_); }
  ~Variant() { ::VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* get() { return &value_; }
  // The value as a boolean or as text (numbers in decimal, empty for an empty value);
  // a value that does not convert raises a BenchError.
  bool AsBoolean() const;
  std::wstring AsText() const;

 private:
  VARIANT value_;
};

// The control's events reach the handlers OnDirectIOEvent, OnErrorEvent,
// OnOutputCompleteEvent and OnStatusUpdateEvent (of FptrEventHandlers) when they are set.
class TOPOSFiscalPrinter : public FptrEventHandlers {
 public:
  // Creates the control from its class id; raises a BenchError when it cannot.
  TOPOSFiscalPrinter();
  ~TOPOSFiscalPrinter();
  TOPOSFiscalPrinter(const TOPOSFiscalPrinter&) = delete;
  TOPOSFiscalPrinter& operator=(const TOPOSFiscalPrinter&) = delete;

  int32_t Open(const std::wstring& deviceName);
  int32_t Close();
  int32_t Claim(int32_t timeout);
  int32_t Release();
  int32_t ClearError();
  int32_t ResetPrinter();
  int32_t CheckHealth(int32_t level);
  int32_t BeginFiscalReceipt(bool printHeader);
  int32_t EndFiscalReceipt(bool printHeader);
  int32_t PrintDuplicateReceipt();
  int32_t PrintRecItem(const std::wstring& description, int64_t price, int32_t quantity,
                       int32_t vatInfo, int64_t unitPrice, const std::wstring& unitName);
  int32_t PrintRecVoidItem(const std::wstring& description, int64_t amount, int32_t quantity,
                           int32_t adjustmentType, int64_t adjustment, int32_t vatInfo);
  int32_t PrintRecItemAdjustment(int32_t adjustmentType, const std::wstring& description,
                                 int64_t amount, int32_t vatInfo);
  int32_t PrintRecMessage(const std::wstring& message);
  int32_t PrintRecNotPaid(const std::wstring& description, int64_t amount);
  int32_t PrintRecPackageAdjustment(int32_t adjustmentType, const std::wstring& description,
                                    const std::wstring& vatAdjustment);
  int32_t PrintRecPackageAdjustVoid(int32_t adjustmentType, const std::wstring& vatAdjustment);
  int32_t PrintRecRefund(const std::wstring& description, int64_t amount, int32_t vatInfo);
  int32_t PrintRecRefundVoid(const std::wstring& description, int64_t amount, int32_t vatInfo);
  int32_t PrintRecSubtotalAdjustment(int32_t adjustmentType, const std::wstring& description,
                                     int64_t amount);
  int32_t PrintRecSubtotalAdjustVoid(int32_t adjustmentType, int64_t amount);
  int32_t PrintRecTaxID(const std::wstring& taxId);
  int32_t PrintRecTotal(int64_t total, int64_t payment, const std::wstring& description);
  int32_t PrintRecSubtotal(int64_t amount);
  int32_t PrintRecCash(int64_t amount);
  int32_t PrintRecVoid(const std::wstring& description);
  int32_t PrintReport(int32_t reportType, const std::wstring& startNum, const std::wstring& endNum);
  int32_t PrintXReport();
  int32_t PrintZReport();
  int32_t PrintPeriodicTotalsReport(const std::wstring& date1, const std::wstring& date2);
  int32_t BeginNonFiscal();
  int32_t PrintNormal(int32_t station, const std::wstring& data);
  int32_t EndNonFiscal();
  int32_t BeginInsertion(int32_t timeout);
  int32_t EndInsertion();
  int32_t BeginRemoval(int32_t timeout);
  int32_t EndRemoval();
  int32_t BeginFiscalDocument(int32_t documentAmount);
  int32_t PrintFiscalDocumentLine(const std::wstring& documentLine);
  int32_t EndFiscalDocument();
  int32_t SetDate(const std::wstring& date);
  int32_t GetDate(std::wstring& date);
  int32_t GetData(int32_t dataItem, int32_t& optArgs, std::wstring& data);
  int32_t GetTotalizer(int32_t vatId, int32_t optArgs, std::wstring& data);
  int32_t SetVatValue(int32_t vatId, const std::wstring& vatValue);
  int32_t SetVatTable();
  int32_t SetHeaderLine(int32_t lineNumber, const std::wstring& text, bool doubleWidth);
  int32_t SetTrailerLine(int32_t lineNumber, const std::wstring& text, bool doubleWidth);

  int32_t GetInteger(PropertyId id);
  void SetInteger(PropertyId id, int32_t value);
  bool GetBoolean(PropertyId id);
  void SetBoolean(PropertyId id, bool value);
  std::wstring GetText(PropertyId id);
  void SetText(PropertyId id, const std::wstring& value);

  void ReadPropertyByName(const std::wstring& name, Variant& value);
  void WritePropertyByName(const std::wstring& name, const std::wstring& text);

 private:
  IOPOSFiscalPrinter_1_6& Fptr();
  void GetProperty(DISPID id, VARIANT& value);
  void PutProperty(DISPID id, VARIANT& value);
  DISPID IdOfName(const std::wstring& name);

  IDispatch* control_ = nullptr;
  IOPOSFiscalPrinter_1_6* fptr_ = nullptr;  // asked for on first use, kept
  std::unique_ptr<FptrEventConnection> events_;
};

// Owns the program's one control wrapper, created on first use.
class TDriver {
 public:
  TOPOSFiscalPrinter& Printer();
  // The device the bench works with: the name typed on "Общие", whose key the settings
  // page edits.
  const std::wstring& DeviceName() const { return deviceName_; }
  void SetDeviceName(std::wstring name) { deviceName_ = std::move(name); }

 private:
  std::unique_ptr<TOPOSFiscalPrinter> printer_;
  std::wstring deviceName_ = L"Ornita-OPOS-1";
};

}  // namespace orn::bench
