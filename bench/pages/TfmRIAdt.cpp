// TfmRIAdt (fmuRIAdt), entry "PrintRecItemAdjustment": A discount or surcharge on the last item.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmRIAdtClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtDescription", L"Description:", L"Метод printRecItemAdjustment", 0),
    Field(L"edtAdjustmentType", L"AdjustmentType:", L"1", 1, kPairFieldW),
    List(L"cbAdjustmentType", nullptr, kAdjustmentTypes4, 2, -1),
    Field(L"edtAmount", L"Amount:", L"100", 3),
    Field(L"edtVatInfo", L"VatInfo:", L"0", 4),
    Field(L"edtPreLine", L"PreLine:", kPreLineDefault, 5),
    Execute(L"PrintRecItemAdjustment", 6),
};

class TfmRIAdt : public TPage {
 public:
  TfmRIAdt(HWND parent, TDriver& driver) : TPage(parent, driver, TfmRIAdtClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      WriteLineTexts();
      const int32_t adjustmentType = IntegerOf(L"edtAdjustmentType");
      const std::wstring description = DriverTextOf(L"edtDescription");
      const int64_t amount = AmountOf(L"edtAmount");
      const int32_t vatInfo = IntegerOf(L"edtVatInfo");
      return Printer().PrintRecItemAdjustment(adjustmentType, description, amount, vatInfo);
    });
  }
};

}  // namespace

const PageClass TfmRIAdtClass = {L"PrintRecItemAdjustment", L"TfmRIAdt", CreatePage<TfmRIAdt>};

}  // namespace orn::bench
