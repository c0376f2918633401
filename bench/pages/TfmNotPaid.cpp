// TfmNotPaid (fmuNotPaid), entry "PrintRecNotPaid": An amount left unpaid.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmNotPaidClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtDescription", L"Description:", L"Метод printRecNotPaid", 0),
    Field(L"edtAmount", L"Amount:", L"100", 1),
    Execute(L"PrintRecNotPaid", 2),
};

class TfmNotPaid : public TPage {
 public:
  TfmNotPaid(HWND parent, TDriver& driver) : TPage(parent, driver, TfmNotPaidClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      const std::wstring description = DriverTextOf(L"edtDescription");
      const int64_t amount = AmountOf(L"edtAmount");
      return Printer().PrintRecNotPaid(description, amount);
    });
  }
};

}  // namespace

const PageClass TfmNotPaidClass = {L"PrintRecNotPaid", L"TfmNotPaid", CreatePage<TfmNotPaid>};

}  // namespace orn::bench
