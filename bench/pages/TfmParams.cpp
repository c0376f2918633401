// TfmParams (fmuParams), entry "Параметры": every property as one line of text.

#include <cwchar>

#include "../PropertyNames.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmParamsClass;

namespace {

// The lines keep their fixed-pitch columns; a value too long for the page's width goes on
// in the next line instead of needing sideways scrolling.
constexpr ControlLayout kControls[] = {
    {Kind::WrappedText, L"Memo", nullptr, L"", kLabelX, 8, 360, 260},
    {Kind::Button, L"btnRefresh", nullptr, L"Обновить", 280, 276, 88, 0},
};

class TfmParams : public TPage {
 public:
  TfmParams(HWND parent, TDriver& driver) : TPage(parent, driver, TfmParamsClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    RunProtocol([this] {
      SetText(L"Memo", L"");
      std::wstring lines;
      int number = 1;
      for (const wchar_t* name : PropertyNames()) {
        const std::wstring value = PropertyValueText(Printer(), name);
        wchar_t head[64];
        std::swprintf(head, 64, L"%.2d. %-30ls: ", number++, name);
        lines += head + value + L"\r\n";
      }
      SetText(L"Memo", lines);
    });
  }

  // The text fills the page; the button stays at the bottom right.
  void OnResize(int width, int height) override {
    Place(L"Memo", kLabelX, 8, width - kLabelX - kMargin, height - 48);
    Place(L"btnRefresh", width - kMargin - 88, height - 32, 88, 24);
  }
};

}  // namespace

const PageClass TfmParamsClass = {L"Параметры", L"TfmParams", CreatePage<TfmParams>};

}  // namespace orn::bench
