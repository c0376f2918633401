// TfmParams (fmuParams), entry "Параметры": every property as one line of text.

#include <cwchar>

#include "../PropertyNames.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmParamsClass;

namespace {

constexpr ControlLayout kControls[] = {
    {Kind::CourierMemo, L"Memo", nullptr, L"", kLabelX, 8, 360, 260},
    {Kind::Tool, L"btnRefresh", nullptr, L"Обновить", 280, 276, 88, 0},
};

class TfmParams : public TPage {
 public:
  TfmParams(HWND parent, TDriver& driver) : TPage(parent, driver, TfmParamsClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    ::EnableWindow(Control(L"btnRefresh"), FALSE);
    SetText(L"Memo", L"");
    std::wstring lines;
    try {
      int number = 1;
      for (const wchar_t* name : PropertyNames()) {
        const std::wstring value = PropertyValueText(Printer(), name);
        wchar_t head[64];
        std::swprintf(head, 64, L"%.2d. %-30ls: ", number++, name);
        lines += head + value + L"\r\n";
      }
    } catch (...) {
      ::EnableWindow(Control(L"btnRefresh"), TRUE);
      throw;
    }
    SetText(L"Memo", lines);
    ::EnableWindow(Control(L"btnRefresh"), TRUE);
  }

  // The text fills the page; the button stays at the bottom right.
  void OnResize(int width, int height) override {
    ::MoveWindow(Control(L"Memo"), kLabelX, 8, width - 2 * kLabelX, height - 48, TRUE);
    ::MoveWindow(Control(L"btnRefresh"), width - kLabelX - 88, height - 32, 88, 24, TRUE);
  }
};

}  // namespace

const PageClass TfmParamsClass = {L"Параметры", L"TfmParams", CreatePage<TfmParams>};

}  // namespace orn::bench
