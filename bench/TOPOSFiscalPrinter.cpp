#include "TOPOSFiscalPrinter.h"

#include "BenchError.h"
#include "OposFiscalPrinter.h"

namespace orn::bench {
namespace {

// The standard control's class id and default interface id.
constexpr CLSID kControlClass = {
    0xCCB90072, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};
constexpr IID kControlInterface = {
    0xCCB92071, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};

// An argument BSTR that lives for one call.
class Bstr {
 public:
  explicit Bstr(const std::wstring& text)
      : text_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  Bstr() = default;
  ~Bstr() { ::SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  operator BSTR() const { return text_; }
  BSTR* Out() { return &text_; }
  std::wstring Text() const { return text_ ? std::wstring(text_, ::SysStringLen(text_)) : L""; }

 private:
  BSTR text_ = nullptr;
};

CY Currency(int64_t amount) {
  CY value;
  value.int64 = amount;
  return value;
}

VARIANT_BOOL OleBoolean(bool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// The OPOS result of a completed call; a failing HRESULT is raised. The code is taken by
// reference, so that it is read after the call whatever the order the arguments are
// evaluated in.
int32_t Result(HRESULT hr, const LONG& rc) {
  Check(hr);
  return rc;
}

}  // namespace

bool Variant::AsBoolean() const {
  VARIANT converted;
  ::VariantInit(&converted);
  Check(::VariantChangeType(&converted, const_cast<VARIANT*>(&value_), 0, VT_BOOL));
  return converted.boolVal != VARIANT_FALSE;
}

std::wstring Variant::AsText() const {
  if (value_.vt == VT_EMPTY || value_.vt == VT_NULL) return L"";
  VARIANT converted;
  ::VariantInit(&converted);
  // Neutral conversion, so numbers read in plain decimal whatever the user's locale.
  Check(::VariantChangeTypeEx(&converted, const_cast<VARIANT*>(&value_),
                              MAKELCID(LANG_NEUTRAL, SORT_DEFAULT), 0, VT_BSTR));
  std::wstring text(converted.bstrVal, ::SysStringLen(converted.bstrVal));
  ::VariantClear(&converted);
  return text;
}

TOPOSFiscalPrinter::TOPOSFiscalPrinter() {
  const HRESULT hr = ::CoCreateInstance(kControlClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                        reinterpret_cast<void**>(&control_));
  if (FAILED(hr)) {
    try {
      ThrowHresult(hr);
    } catch (BenchError& error) {
      error.message = L"Ошибка при создании объекта FiscalPrinter:\r\n" + error.message;
      throw;
    }
  }
  events_ = std::make_unique<FptrEventConnection>(control_, *this);
}

TOPOSFiscalPrinter::~TOPOSFiscalPrinter() {
  events_.reset();
  if (fptr_) fptr_->Release();
  control_->Release();
}

IOPOSFiscalPrinter_1_6& TOPOSFiscalPrinter::Fptr() {
  if (!fptr_) {
    Check(control_->QueryInterface(kControlInterface, reinterpret_cast<void**>(&fptr_)));
  }
  return *fptr_;
}

int32_t TOPOSFiscalPrinter::Open(const std::wstring& deviceName) {
  LONG rc = 0;
  return Result(Fptr().Open(Bstr(deviceName), &rc), rc);
}
int32_t TOPOSFiscalPrinter::Close() {
  LONG rc = 0;
  return Result(Fptr().Close(&rc), rc);
}
int32_t TOPOSFiscalPrinter::Claim(int32_t timeout) {
  LONG rc = 0;
  return Result(Fptr().ClaimDevice(timeout, &rc), rc);
}
int32_t TOPOSFiscalPrinter::Release() {
  LONG rc = 0;
  return Result(Fptr().ReleaseDevice(&rc), rc);
}
int32_t TOPOSFiscalPrinter::ClearError() {
  LONG rc = 0;
  return Result(Fptr().ClearError(&rc), rc);
}
int32_t TOPOSFiscalPrinter::ResetPrinter() {
  LONG rc = 0;
  return Result(Fptr().ResetPrinter(&rc), rc);
}
int32_t TOPOSFiscalPrinter::CheckHealth(int32_t level) {
  LONG rc = 0;
  return Result(Fptr().CheckHealth(level, &rc), rc);
}
int32_t TOPOSFiscalPrinter::BeginFiscalReceipt(bool printHeader) {
  LONG rc = 0;
  return Result(Fptr().BeginFiscalReceipt(OleBoolean(printHeader), &rc), rc);
}
int32_t TOPOSFiscalPrinter::EndFiscalReceipt(bool printHeader) {
  LONG rc = 0;
  return Result(Fptr().EndFiscalReceipt(OleBoolean(printHeader), &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintDuplicateReceipt() {
  LONG rc = 0;
  return Result(Fptr().PrintDuplicateReceipt(&rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintRecItem(const std::wstring& description, int64_t price,
                                         int32_t quantity, int32_t vatInfo, int64_t unitPrice,
                                         const std::wstring& unitName) {
  LONG rc = 0;
  return Result(Fptr().PrintRecItem(Bstr(description), Currency(price), quantity, vatInfo,
                                    Currency(unitPrice), Bstr(unitName), &rc),
                rc);
}
int32_t TOPOSFiscalPrinter::PrintRecVoidItem(const std::wstring& description, int64_t amount,
                                             int32_t quantity, int32_t adjustmentType,
                                             int64_t adjustment, int32_t vatInfo) {
  LONG rc = 0;
  return Result(Fptr().PrintRecVoidItem(Bstr(description), Currency(amount), quantity,
                                        adjustmentType, Currency(adjustment), vatInfo, &rc),
                rc);
}
int32_t TOPOSFiscalPrinter::PrintRecItemAdjustment(int32_t adjustmentType,
                                                   const std::wstring& description, int64_t amount,
                                                   int32_t vatInfo) {
  LONG rc = 0;
  return Result(Fptr().PrintRecItemAdjustment(adjustmentType, Bstr(description), Currency(amount),
                                              vatInfo, &rc),
                rc);
}
int32_t TOPOSFiscalPrinter::PrintRecMessage(const std::wstring& message) {
  LONG rc = 0;
  return Result(Fptr().PrintRecMessage(Bstr(message), &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintRecNotPaid(const std::wstring& description, int64_t amount) {
  LONG rc = 0;
  return Result(Fptr().PrintRecNotPaid(Bstr(description), Currency(amount), &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintRecPackageAdjustment(int32_t adjustmentType,
                                                      const std::wstring& description,
                                                      const std::wstring& vatAdjustment) {
  LONG rc = 0;
  return Result(
      Fptr().PrintRecPackageAdjustment(adjustmentType, Bstr(description), Bstr(vatAdjustment), &rc),
      rc);
}
int32_t TOPOSFiscalPrinter::PrintRecPackageAdjustVoid(int32_t adjustmentType,
                                                      const std::wstring& vatAdjustment) {
  LONG rc = 0;
  return Result(Fptr().PrintRecPackageAdjustVoid(adjustmentType, Bstr(vatAdjustment), &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintRecRefund(const std::wstring& description, int64_t amount,
                                           int32_t vatInfo) {
  LONG rc = 0;
  return Result(Fptr().PrintRecRefund(Bstr(description), Currency(amount), vatInfo, &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintRecRefundVoid(const std::wstring& description, int64_t amount,
                                               int32_t vatInfo) {
  LONG rc = 0;
  return Result(Fptr().PrintRecRefundVoid(Bstr(description), Currency(amount), vatInfo, &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintRecSubtotalAdjustment(int32_t adjustmentType,
                                                       const std::wstring& description,
                                                       int64_t amount) {
  LONG rc = 0;
  return Result(
      Fptr().PrintRecSubtotalAdjustment(adjustmentType, Bstr(description), Currency(amount), &rc),
      rc);
}
int32_t TOPOSFiscalPrinter::PrintRecSubtotalAdjustVoid(int32_t adjustmentType, int64_t amount) {
  LONG rc = 0;
  return Result(Fptr().PrintRecSubtotalAdjustVoid(adjustmentType, Currency(amount), &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintRecTaxID(const std::wstring& taxId) {
  LONG rc = 0;
  return Result(Fptr().PrintRecTaxID(Bstr(taxId), &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintRecTotal(int64_t total, int64_t payment,
                                          const std::wstring& description) {
  LONG rc = 0;
  return Result(Fptr().PrintRecTotal(Currency(total), Currency(payment), Bstr(description), &rc),
                rc);
}
int32_t TOPOSFiscalPrinter::PrintRecSubtotal(int64_t amount) {
  LONG rc = 0;
  return Result(Fptr().PrintRecSubtotal(Currency(amount), &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintRecCash(int64_t amount) {
  LONG rc = 0;
  return Result(Fptr().PrintRecCash(Currency(amount), &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintRecVoid(const std::wstring& description) {
  LONG rc = 0;
  return Result(Fptr().PrintRecVoid(Bstr(description), &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintReport(int32_t reportType, const std::wstring& startNum,
                                        const std::wstring& endNum) {
  LONG rc = 0;
  return Result(Fptr().PrintReport(reportType, Bstr(startNum), Bstr(endNum), &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintXReport() {
  LONG rc = 0;
  return Result(Fptr().PrintXReport(&rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintZReport() {
  LONG rc = 0;
  return Result(Fptr().PrintZReport(&rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintPeriodicTotalsReport(const std::wstring& date1,
                                                      const std::wstring& date2) {
  LONG rc = 0;
  return Result(Fptr().PrintPeriodicTotalsReport(Bstr(date1), Bstr(date2), &rc), rc);
}
int32_t TOPOSFiscalPrinter::BeginNonFiscal() {
  LONG rc = 0;
  return Result(Fptr().BeginNonFiscal(&rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintNormal(int32_t station, const std::wstring& data) {
  LONG rc = 0;
  return Result(Fptr().PrintNormal(station, Bstr(data), &rc), rc);
}
int32_t TOPOSFiscalPrinter::EndNonFiscal() {
  LONG rc = 0;
  return Result(Fptr().EndNonFiscal(&rc), rc);
}
int32_t TOPOSFiscalPrinter::BeginInsertion(int32_t timeout) {
  LONG rc = 0;
  return Result(Fptr().BeginInsertion(timeout, &rc), rc);
}
int32_t TOPOSFiscalPrinter::EndInsertion() {
  LONG rc = 0;
  return Result(Fptr().EndInsertion(&rc), rc);
}
int32_t TOPOSFiscalPrinter::BeginRemoval(int32_t timeout) {
  LONG rc = 0;
  return Result(Fptr().BeginRemoval(timeout, &rc), rc);
}
int32_t TOPOSFiscalPrinter::EndRemoval() {
  LONG rc = 0;
  return Result(Fptr().EndRemoval(&rc), rc);
}
int32_t TOPOSFiscalPrinter::BeginFiscalDocument(int32_t documentAmount) {
  LONG rc = 0;
  return Result(Fptr().BeginFiscalDocument(documentAmount, &rc), rc);
}
int32_t TOPOSFiscalPrinter::PrintFiscalDocumentLine(const std::wstring& documentLine) {
  LONG rc = 0;
  return Result(Fptr().PrintFiscalDocumentLine(Bstr(documentLine), &rc), rc);
}
int32_t TOPOSFiscalPrinter::EndFiscalDocument() {
  LONG rc = 0;
  return Result(Fptr().EndFiscalDocument(&rc), rc);
}
int32_t TOPOSFiscalPrinter::SetDate(const std::wstring& date) {
  LONG rc = 0;
  return Result(Fptr().SetDate(Bstr(date), &rc), rc);
}
int32_t TOPOSFiscalPrinter::GetDate(std::wstring& date) {
  LONG rc = 0;
  Bstr out;
  const int32_t result = Result(Fptr().GetDate(out.Out(), &rc), rc);
  date = out.Text();
  return result;
}
int32_t TOPOSFiscalPrinter::GetData(int32_t dataItem, int32_t& optArgs, std::wstring& data) {
  LONG rc = 0;
  LONG args = optArgs;
  Bstr out;
  const int32_t result = Result(Fptr().GetData(dataItem, &args, out.Out(), &rc), rc);
  optArgs = args;
  data = out.Text();
  return result;
}
int32_t TOPOSFiscalPrinter::GetTotalizer(int32_t vatId, int32_t optArgs, std::wstring& data) {
  LONG rc = 0;
  Bstr out;
  const int32_t result = Result(Fptr().GetTotalizer(vatId, optArgs, out.Out(), &rc), rc);
  data = out.Text();
  return result;
}
int32_t TOPOSFiscalPrinter::SetVatValue(int32_t vatId, const std::wstring& vatValue) {
  LONG rc = 0;
  return Result(Fptr().SetVatValue(vatId, Bstr(vatValue), &rc), rc);
}
int32_t TOPOSFiscalPrinter::SetVatTable() {
  LONG rc = 0;
  return Result(Fptr().SetVatTable(&rc), rc);
}
int32_t TOPOSFiscalPrinter::SetHeaderLine(int32_t lineNumber, const std::wstring& text,
                                          bool doubleWidth) {
  LONG rc = 0;
  return Result(Fptr().SetHeaderLine(lineNumber, Bstr(text), OleBoolean(doubleWidth), &rc), rc);
}
int32_t TOPOSFiscalPrinter::SetTrailerLine(int32_t lineNumber, const std::wstring& text,
                                           bool doubleWidth) {
  LONG rc = 0;
  return Result(Fptr().SetTrailerLine(lineNumber, Bstr(text), OleBoolean(doubleWidth), &rc), rc);
}

void TOPOSFiscalPrinter::GetProperty(DISPID id, VARIANT& value) {
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  Check(control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value,
                         nullptr, nullptr));
}

void TOPOSFiscalPrinter::PutProperty(DISPID id, VARIANT& value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS args = {&value, &named, 1, 1};
  Check(control_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &args, nullptr,
                         nullptr, nullptr));
}

int32_t TOPOSFiscalPrinter::GetInteger(PropertyId id) {
  Variant value;
  GetProperty(id, *value.get());
  VARIANT converted;
  ::VariantInit(&converted);
  Check(::VariantChangeType(&converted, value.get(), 0, VT_I4));
  return converted.lVal;
}

void TOPOSFiscalPrinter::SetInteger(PropertyId id, int32_t value) {
  VARIANT arg;
  arg.vt = VT_I4;
  arg.lVal = value;
  PutProperty(id, arg);
}

bool TOPOSFiscalPrinter::GetBoolean(PropertyId id) {
  Variant value;
  GetProperty(id, *value.get());
  return value.AsBoolean();
}

void TOPOSFiscalPrinter::SetBoolean(PropertyId id, bool value) {
  VARIANT arg;
  arg.vt = VT_BOOL;
  arg.boolVal = OleBoolean(value);
  PutProperty(id, arg);
}

std::wstring TOPOSFiscalPrinter::GetText(PropertyId id) {
  Variant value;
  GetProperty(id, *value.get());
  return value.AsText();
}

void TOPOSFiscalPrinter::SetText(PropertyId id, const std::wstring& value) {
  Bstr text(value);
  VARIANT arg;
  arg.vt = VT_BSTR;
  arg.bstrVal = text;
  PutProperty(id, arg);
}

DISPID TOPOSFiscalPrinter::IdOfName(const std::wstring& name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  DISPID id = DISPID_UNKNOWN;
  Check(control_->GetIDsOfNames(IID_NULL, names, 1, ::GetThreadLocale(), &id));
  return id;
}

void TOPOSFiscalPrinter::ReadPropertyByName(const std::wstring& name, Variant& value) {
  GetProperty(IdOfName(name), *value.get());
}

void TOPOSFiscalPrinter::WritePropertyByName(const std::wstring& name, const std::wstring& text) {
  const DISPID id = IdOfName(name);
  Bstr value(text);
  VARIANT arg;
  arg.vt = VT_BSTR;
  arg.bstrVal = value;
  // The box names what was written: "OLE error 80020005" alone does not say which
  // property refused which text.
  try {
    PutProperty(id, arg);
  } catch (BenchError& error) {
    error.message = name + L" = \"" + text + L"\": " + error.message;
    throw;
  }
}

TOPOSFiscalPrinter& TDriver::Printer() {
  // A failed creation leaves no instance, so the next call tries again.
  if (!printer_) printer_ = std::make_unique<TOPOSFiscalPrinter>();
  return *printer_;
}

std::wstring SystemMessage(unsigned long code) {
  wchar_t* text = nullptr;
  ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message;
  if (text) {
    message = text;
    ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
      message.pop_back();
  }
  return message;
}

void ThrowHresult(long hr) {
  std::wstring message = SystemMessage(static_cast<unsigned long>(hr));
  if (message.empty()) {
    wchar_t code[32];
    ::wsprintfW(code, L"OLE error %08X", static_cast<unsigned>(hr));
    message = code;
  }
  throw BenchError{message};
}

}  // namespace orn::bench
