// TfmSAVod (fmuSAVod), entry "PrintRecSubtotalAdjustVoid": Voids a subtotal adjustment; the list
// gives the type.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmSAVodClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtAmount", L"Amount:", L"0", 0),
    List(L"cbAdjustmentType", L"AdjustmentType:", kAdjustmentTypes4, 1, 0),
    Field(L"edtPreLine", L"PreLine:", kPreLineDefault, 2),
    Execute(L"PrintRecSubtotalAdjustVoid", 3),
};

class TfmSAVod : public TPage {
 public:
  TfmSAVod(HWND parent, TDriver& driver) : TPage(parent, driver, TfmSAVodClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      WriteLineTexts();
      const int32_t adjustmentType = Position(L"cbAdjustmentType");
      const int64_t amount = AmountOf(L"edtAmount");
      return Printer().PrintRecSubtotalAdjustVoid(adjustmentType, amount);
    });
  }
};

}  // namespace

const PageClass TfmSAVodClass = {L"PrintRecSubtotalAdjustVoid", L"TfmSAVod", CreatePage<TfmSAVod>};

}  // namespace orn::bench
