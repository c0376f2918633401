// TfmRRVoid (fmuRRVoid), entry "PrintRecRefundVoid": Voids a refund.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmRRVoidClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtDescription", L"Description:", L"Метод printRecRefundVoid", 0),
    Field(L"edtAmount", L"Amount:", L"100", 1),
    Field(L"edtVatInfo", L"VatInfo:", L"0", 2),
    Execute(L"PrintRecRefundVoid", 3),
};

class TfmRRVoid : public TPage {
 public:
  TfmRRVoid(HWND parent, TDriver& driver) : TPage(parent, driver, TfmRRVoidClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      const std::wstring description = DriverTextOf(L"edtDescription");
      const int64_t amount = AmountOf(L"edtAmount");
      const int32_t vatInfo = IntegerOf(L"edtVatInfo");
      return Printer().PrintRecRefundVoid(description, amount, vatInfo);
    });
  }
};

}  // namespace

const PageClass TfmRRVoidClass = {L"PrintRecRefundVoid", L"TfmRRVoid", CreatePage<TfmRRVoid>};

}  // namespace orn::bench
