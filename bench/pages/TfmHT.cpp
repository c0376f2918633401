// TfmHT (fmuHT), list entry 13 "Header и Trailer": the additional header and trailer texts;
// a change the user makes is written at once.

#include "../DriverText.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmHTClass;

namespace {

constexpr ControlLayout kControls[] = {
    {Kind::CourierMemo, L"AdditionalHeader", L"AdditionalHeader:", L"", kLabelX, 26, 360, 100},
    {Kind::CourierMemo, L"AdditionalTrailer", L"AdditionalTrailer:", L"", kLabelX, 150, 360, 100},
    {Kind::Tool, L"btnRefresh", nullptr, L"Обновить", 280, 260, 88, 0},
};

class TfmHT : public TPage {
 public:
  TfmHT(HWND parent, TDriver& driver) : TPage(parent, driver, TfmHTClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    SetText(L"AdditionalHeader", FromDriverText(Printer().GetText(pidAdditionalHeader)));
    SetText(L"AdditionalTrailer", FromDriverText(Printer().GetText(pidAdditionalTrailer)));
  }

  // The button at the bottom right, under the two texts.
  void OnResize(int width, int) override {
    Place(L"btnRefresh", width - kMargin - 88, 260, 88, 24);
  }

  void OnChange(const std::wstring& name) override {
    const PropertyId id = name == L"AdditionalHeader" ? pidAdditionalHeader : pidAdditionalTrailer;
    Printer().SetText(id, DriverTextOf(name));
    NotifyResult(0);
  }
};

}  // namespace

const PageClass TfmHTClass = {L"Header и Trailer", L"TfmHT", CreatePage<TfmHT>};

}  // namespace orn::bench
