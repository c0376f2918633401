// TfmSetVat (fmuTax), entry "SetVat": one VAT rate, then the table written to the register.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmSetVatClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtVatID", L"VatID:", L"0", 0),
    Field(L"edtVatValue", L"VatValue:", L"0", 1),
    Push(L"btnSetVatValue", L"SetVatValue", kFieldX, RowY(2) + 8, kFieldW),
    Push(L"btnSetVatTable", L"SetVatTable", kFieldX, RowY(3) + 10, kFieldW),
};

class TfmSetVat : public TPage {
 public:
  TfmSetVat(HWND parent, TDriver& driver) : TPage(parent, driver, TfmSetVatClass, kControls) {}

 private:
  void OnClick(const std::wstring& name) override {
    if (name == L"btnSetVatValue") {
      Call([this] { return Printer().SetVatValue(IntegerOf(L"edtVatID"), Text(L"edtVatValue")); });
    } else if (name == L"btnSetVatTable") {
      Call([this] { return Printer().SetVatTable(); });
    }
  }
};

}  // namespace

const PageClass TfmSetVatClass = {L"SetVat", L"TfmSetVat", CreatePage<TfmSetVat>};

}  // namespace orn::bench
