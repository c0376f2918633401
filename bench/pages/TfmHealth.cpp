// TfmHealth (fmuHealth), entry "CheckHealth": the health check at the chosen level, and the
// control's CheckHealthText after it.

#include "../DriverText.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmHealthClass;

namespace {

constexpr const wchar_t* kLevels[] = {L"CH_INTERNAL", L"CH_EXTERNAL", L"CH_INTERACTIVE"};

constexpr ControlLayout kControls[] = {
    List(L"cbLevel", L"Level:", kLevels, 0, 0),
    Execute(L"CheckHealth", 1, L"btnCheckHealth"),
    {Kind::Memo, L"CheckHealthText", L"CheckHealthText:", L"", kLabelX, RowY(3) + 8, 352, 120},
};

class TfmHealth : public TPage {
 public:
  TfmHealth(HWND parent, TDriver& driver) : TPage(parent, driver, TfmHealthClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    RunProtocol([this] {
      NotifyStart();
      NotifyResult(Printer().CheckHealth(Position(L"cbLevel")));
      SetText(L"CheckHealthText", FromDriverText(Printer().GetText(pidCheckHealthText)));
    });
  }
};

}  // namespace

const PageClass TfmHealthClass = {L"CheckHealth", L"TfmHealth", CreatePage<TfmHealth>};

}  // namespace orn::bench
