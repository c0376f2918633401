// TfmTotal (fmuTotal), entry "PrintRecTotal": One payment, after the line texts.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmTotalClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtTotal", L"Total:", L"100", 0),
    Field(L"edtPayment", L"Payment:", L"100", 1),
    Field(L"edtDescription", L"Description:", L"0", 2),
    Field(L"edtPreLine", L"PreLine:", kPreLineDefault, 3),
    Field(L"edtPostLine", L"PostLine:", kPostLineDefault, 4),
    Execute(L"PrintRecTotal", 5),
};

class TfmTotal : public TPage {
 public:
  TfmTotal(HWND parent, TDriver& driver) : TPage(parent, driver, TfmTotalClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      WriteLineTexts();
      const int64_t total = AmountOf(L"edtTotal");
      const int64_t payment = AmountOf(L"edtPayment");
      const std::wstring description = DriverTextOf(L"edtDescription");
      return Printer().PrintRecTotal(total, payment, description);
    });
  }
};

}  // namespace

const PageClass TfmTotalClass = {L"PrintRecTotal", L"TfmTotal", CreatePage<TfmTotal>};

}  // namespace orn::bench
