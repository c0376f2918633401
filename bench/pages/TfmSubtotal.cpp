// TfmSubtotal (fmuSubtotal), entry "printRecSubTotal": Prints the subtotal, after the line texts.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmSubtotalClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtAmount", L"Amount:", L"100", 0),
    Field(L"edtPreLine", L"PreLine:", kPreLineDefault, 1),
    Field(L"edtPostLine", L"PostLine:", kPostLineDefault, 2),
    Execute(L"PrintRecSubtotal", 3, L"btnPrintRecSubtotal"),
};

class TfmSubtotal : public TPage {
 public:
  TfmSubtotal(HWND parent, TDriver& driver) : TPage(parent, driver, TfmSubtotalClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      WriteLineTexts();
      const int64_t amount = AmountOf(L"edtAmount");
      return Printer().PrintRecSubtotal(amount);
    });
  }
};

}  // namespace

const PageClass TfmSubtotalClass = {L"printRecSubTotal", L"TfmSubtotal", CreatePage<TfmSubtotal>};

}  // namespace orn::bench
