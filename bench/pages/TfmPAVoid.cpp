// TfmPAVoid (fmuPAVoid), entry "PrintRecPackageAdjustVoid": Voids a package adjustment.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmPAVoidClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtAdjustmentType", L"AdjustmentType:", L"1", 0, kPairFieldW),
    List(L"cbAdjustmentType", nullptr, kAdjustmentTypes2, 1, 0),
    Field(L"edtVatAdjustment", L"VatAdjustment:", L"0", 2),
    Field(L"edtPreLine", L"PreLine:", kPreLineDefault, 3),
    Execute(L"PrintRecPackageAdjustVoid", 4),
};

class TfmPAVoid : public TPage {
 public:
  TfmPAVoid(HWND parent, TDriver& driver) : TPage(parent, driver, TfmPAVoidClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      WriteLineTexts();
      const int32_t adjustmentType = IntegerOf(L"edtAdjustmentType");
      const std::wstring vatAdjustment = DriverTextOf(L"edtVatAdjustment");
      return Printer().PrintRecPackageAdjustVoid(adjustmentType, vatAdjustment);
    });
  }
};

}  // namespace

const PageClass TfmPAVoidClass = {L"PrintRecPackageAdjustVoid", L"TfmPAVoid",
                                  CreatePage<TfmPAVoid>};

}  // namespace orn::bench
