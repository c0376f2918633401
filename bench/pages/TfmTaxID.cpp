// TfmTaxID (fmuTaxID), entry "PrintRecTaxID": Prints the customer's tax number.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmTaxIDClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtTaxID", L"TaxID:", L"PrintRecTaxID", 0),
    Execute(L"PrintRecTaxID", 1),
};

class TfmTaxID : public TPage {
 public:
  TfmTaxID(HWND parent, TDriver& driver) : TPage(parent, driver, TfmTaxIDClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      const std::wstring taxId = DriverTextOf(L"edtTaxID");
      return Printer().PrintRecTaxID(taxId);
    });
  }
};

}  // namespace

const PageClass TfmTaxIDClass = {L"PrintRecTaxID", L"TfmTaxID", CreatePage<TfmTaxID>};

}  // namespace orn::bench
