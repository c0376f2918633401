// TfmItemVoid (fmuItemVoid), entry "PrintRecItemVoid": Voids an item sold before.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmItemVoidClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtDescription", L"Description:", L"Метод printRecItemVoid", 0),
    Field(L"edtAmount", L"Amount:", L"100", 1),
    Field(L"edtQuantity", L"Quantity:", L"1000", 2),
    Field(L"edtVatInfo", L"VatInfo:", L"0", 3),
    Field(L"edtAdjustmentType", L"AdjustmentType:", L"0", 4),
    Field(L"edtAdjustment", L"Adjustment:", L"0", 5),
    Execute(L"PrintRecItemVoid", 6),
};

class TfmItemVoid : public TPage {
 public:
  TfmItemVoid(HWND parent, TDriver& driver) : TPage(parent, driver, TfmItemVoidClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      const std::wstring description = DriverTextOf(L"edtDescription");
      const int64_t amount = AmountOf(L"edtAmount");
      const int32_t quantity = IntegerOf(L"edtQuantity");
      const int32_t adjustmentType = IntegerOf(L"edtAdjustmentType");
      const int64_t adjustment = AmountOf(L"edtAdjustment");
      const int32_t vatInfo = IntegerOf(L"edtVatInfo");
      return Printer().PrintRecVoidItem(description, amount, quantity, adjustmentType, adjustment,
                                        vatInfo);
    });
  }
};

}  // namespace

const PageClass TfmItemVoidClass = {L"PrintRecItemVoid", L"TfmItemVoid", CreatePage<TfmItemVoid>};

}  // namespace orn::bench
