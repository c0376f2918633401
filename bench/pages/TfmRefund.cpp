// TfmRefund (fmuRefund), entry "PrintRecRefund": Refunds an amount.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmRefundClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtDescription", L"Description:", L"Метод printRecRefund", 0),
    Field(L"edtAmount", L"Amount:", L"100", 1),
    Field(L"edtVatInfo", L"VatInfo:", L"0", 2),
    Field(L"edtPreLine", L"PreLine:", kPreLineDefault, 3),
    Execute(L"PrintRecRefund", 4),
};

class TfmRefund : public TPage {
 public:
  TfmRefund(HWND parent, TDriver& driver) : TPage(parent, driver, TfmRefundClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      WriteLineTexts();
      const std::wstring description = DriverTextOf(L"edtDescription");
      const int64_t amount = AmountOf(L"edtAmount");
      const int32_t vatInfo = IntegerOf(L"edtVatInfo");
      return Printer().PrintRecRefund(description, amount, vatInfo);
    });
  }
};

}  // namespace

const PageClass TfmRefundClass = {L"PrintRecRefund", L"TfmRefund", CreatePage<TfmRefund>};

}  // namespace orn::bench
