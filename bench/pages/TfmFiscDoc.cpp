// TfmFiscDoc (fmuFiscDoc), entry "Fiscal Document": a fiscal document of lines; its amount
// is a plain integer, not a currency amount.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmFiscDocClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtAmount", L"Amount:", L"0", 0),
    Field(L"edtLine", L"Line:", L"Строка для печати", 1),
    Push(L"btnBeginFiscalDocument", L"BeginFiscalDocument", kFieldX, RowY(2) + 8, kFieldW),
    Push(L"btnPrintFiscalDocumentLine", L"PrintFiscalDocumentLine", kFieldX, RowY(3) + 10, kFieldW),
    Push(L"btnEndFiscalDocument", L"EndFiscalDocument", kFieldX, RowY(4) + 12, kFieldW),
};

class TfmFiscDoc : public TPage {
 public:
  TfmFiscDoc(HWND parent, TDriver& driver) : TPage(parent, driver, TfmFiscDocClass, kControls) {}

 private:
  void OnClick(const std::wstring& name) override {
    if (name == L"btnBeginFiscalDocument") {
      Call([this] { return Printer().BeginFiscalDocument(IntegerOf(L"edtAmount")); });
    } else if (name == L"btnPrintFiscalDocumentLine") {
      Call([this] { return Printer().PrintFiscalDocumentLine(Text(L"edtLine")); });
    } else if (name == L"btnEndFiscalDocument") {
      Call([this] { return Printer().EndFiscalDocument(); });
    }
  }
};

}  // namespace

const PageClass TfmFiscDocClass = {L"Fiscal Document", L"TfmFiscDoc", CreatePage<TfmFiscDoc>};

}  // namespace orn::bench
