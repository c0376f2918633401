// TfmRecVoid (fmuRecVoid), entry "PrintRecVoid": Cancels the receipt with a description.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmRecVoidClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtDescription", L"Description:", L"Метод printRecVoid", 0),
    Execute(L"PrintRecVoid", 1, L"btnPrintRecVoid"),
};

class TfmRecVoid : public TPage {
 public:
  TfmRecVoid(HWND parent, TDriver& driver) : TPage(parent, driver, TfmRecVoidClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      const std::wstring description = DriverTextOf(L"edtDescription");
      return Printer().PrintRecVoid(description);
    });
  }
};

}  // namespace

const PageClass TfmRecVoidClass = {L"PrintRecVoid", L"TfmRecVoid", CreatePage<TfmRecVoid>};

}  // namespace orn::bench
