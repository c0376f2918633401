// TfmSTAdt (fmuSTAdt), entry "PrintRecSubtotalAdjustment": A discount or surcharge on the subtotal;
// the list gives the type.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmSTAdtClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtDescription", L"Description:", L"Метод printRecSubtotalAdjustment", 0),
    Field(L"edtAmount", L"Amount:", L"0", 1),
    List(L"cbAdjustmentType", L"AdjustmentType:", kAdjustmentTypes4, 2, 0),
    Field(L"edtPreLine", L"PreLine:", kPreLineDefault, 3),
    Execute(L"PrintRecSubtotalAdjustment", 4),
};

class TfmSTAdt : public TPage {
 public:
  TfmSTAdt(HWND parent, TDriver& driver) : TPage(parent, driver, TfmSTAdtClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      WriteLineTexts();
      const int32_t adjustmentType = Position(L"cbAdjustmentType");
      const std::wstring description = DriverTextOf(L"edtDescription");
      const int64_t amount = AmountOf(L"edtAmount");
      return Printer().PrintRecSubtotalAdjustment(adjustmentType, description, amount);
    });
  }
};

}  // namespace

const PageClass TfmSTAdtClass = {L"PrintRecSubtotalAdjustment", L"TfmSTAdt", CreatePage<TfmSTAdt>};

}  // namespace orn::bench
