// TfmRecMsg (fmuRecMsg), entry "PrintRecMessage": Prints a message line in the receipt.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmRecMsgClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtMessage", L"Message:", L"Метод printRecMessage", 0),
    Execute(L"PrintRecMessage", 1),
};

class TfmRecMsg : public TPage {
 public:
  TfmRecMsg(HWND parent, TDriver& driver) : TPage(parent, driver, TfmRecMsgClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      const std::wstring message = DriverTextOf(L"edtMessage");
      return Printer().PrintRecMessage(message);
    });
  }
};

}  // namespace

const PageClass TfmRecMsgClass = {L"PrintRecMessage", L"TfmRecMsg", CreatePage<TfmRecMsg>};

}  // namespace orn::bench
