// TfmPackAdt (fmuPackAdt), entry "PrintRecPackageAdjustment": An adjustment spread over the VAT
// groups.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmPackAdtClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtDescription", L"Description:", L"Метод printRecPackageAdjustment", 0),
    Field(L"edtAdjustmentType", L"AdjustmentType:", L"1", 1, kPairFieldW),
    List(L"cbAdjustmentType", nullptr, kAdjustmentTypes2, 2, 0),
    Field(L"edtVatAdjustment", L"VatAdjustment:", L"0", 3),
    Execute(L"PrintRecPackageAdjustment", 4),
};

class TfmPackAdt : public TPage {
 public:
  TfmPackAdt(HWND parent, TDriver& driver) : TPage(parent, driver, TfmPackAdtClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      const int32_t adjustmentType = IntegerOf(L"edtAdjustmentType");
      const std::wstring description = DriverTextOf(L"edtDescription");
      const std::wstring vatAdjustment = DriverTextOf(L"edtVatAdjustment");
      return Printer().PrintRecPackageAdjustment(adjustmentType, description, vatAdjustment);
    });
  }
};

}  // namespace

const PageClass TfmPackAdtClass = {L"PrintRecPackageAdjustment", L"TfmPackAdt",
                                   CreatePage<TfmPackAdt>};

}  // namespace orn::bench
