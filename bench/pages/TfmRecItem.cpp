// TfmRecItem (fmuRecItem), entry "PrintRecItem": Sells one item, after the line texts.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmRecItemClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtDescription", L"Description:", L"Метод printRecItem", 0),
    Field(L"edtPrice", L"Price:", L"100", 1),
    Field(L"edtQuantity", L"Quantity:", L"1000", 2),
    Field(L"edtVatInfo", L"VatInfo:", L"0", 3),
    Field(L"edtUnitPrice", L"UnitPrice:", L"100", 4),
    Field(L"edtUnitName", L"UnitName:", L"kg.", 5),
    Field(L"edtPreLine", L"PreLine:", kPreLineDefault, 6),
    Field(L"edtPostLine", L"PostLine:", kPostLineDefault, 7),
    Execute(L"PrintRecItem", 8),
};

class TfmRecItem : public TPage {
 public:
  TfmRecItem(HWND parent, TDriver& driver) : TPage(parent, driver, TfmRecItemClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      WriteLineTexts();
      const std::wstring description = DriverTextOf(L"edtDescription");
      const int64_t price = AmountOf(L"edtPrice");
      const int32_t quantity = IntegerOf(L"edtQuantity");
      const int32_t vatInfo = IntegerOf(L"edtVatInfo");
      const int64_t unitPrice = AmountOf(L"edtUnitPrice");
      const std::wstring unitName = DriverTextOf(L"edtUnitName");
      return Printer().PrintRecItem(description, price, quantity, vatInfo, unitPrice, unitName);
    });
  }
};

}  // namespace

const PageClass TfmRecItemClass = {L"PrintRecItem", L"TfmRecItem", CreatePage<TfmRecItem>};

}  // namespace orn::bench
