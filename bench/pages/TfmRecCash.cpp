// TfmRecCash (fmuRecCash), entry "printRecCash": A cash-in or cash-out amount.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmRecCashClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtAmount", L"Amount:", L"100", 0),
    Execute(L"PrintRecCash", 1, L"btnPrintRecCash"),
};

class TfmRecCash : public TPage {
 public:
  TfmRecCash(HWND parent, TDriver& driver) : TPage(parent, driver, TfmRecCashClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      const int64_t amount = AmountOf(L"edtAmount");
      return Printer().PrintRecCash(amount);
    });
  }
};

}  // namespace

const PageClass TfmRecCashClass = {L"printRecCash", L"TfmRecCash", CreatePage<TfmRecCash>};

}  // namespace orn::bench
