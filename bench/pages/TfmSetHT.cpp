// TfmSetHT (fmuSetHT), list entry 17 "Header и Trailer": all header or trailer lines at
// once, one SetHeaderLine or SetTrailerLine per line, stopping at the first failure.

#include <vector>

#include "../DriverText.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmSetHTClass;

namespace {

constexpr int kButtonY = 252;

constexpr ControlLayout kControls[] = {
    {Kind::Memo, L"mmHeader", L"Header:", L"", kLabelX, 26, 360, 84},
    {Kind::Memo, L"mmTrailer", L"Trailer:", L"", kLabelX, 132, 360, 84},
    {Kind::Check, L"chbDoubleWidth", nullptr, L"DoubleWidth", kLabelX, 224, 120, 0},
    PushAt(L"btnSetHeader", L"Set Header", kLabelX, kButtonY, 78),
    PushAt(L"btnSetTrailer", L"Set Trailer", kLabelX + 82, kButtonY, 78),
    PushAt(L"btnClear", L"Очистить", kLabelX + 164, kButtonY, 72),
    PushAt(L"btnDefault", L"По умолчанию", kLabelX + 240, kButtonY, 100),
};

// The lines of a multi-line text.
std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class TfmSetHT : public TPage {
 public:
  TfmSetHT(HWND parent, TDriver& driver) : TPage(parent, driver, TfmSetHTClass, kControls) {}

 private:
  void OnClick(const std::wstring& name) override {
    if (name == L"btnSetHeader") {
      SetLines(L"mmHeader", &TOPOSFiscalPrinter::SetHeaderLine);
    } else if (name == L"btnSetTrailer") {
      SetLines(L"mmTrailer", &TOPOSFiscalPrinter::SetTrailerLine);
    } else if (name == L"btnClear") {
      SetText(L"mmHeader", L"");
      SetText(L"mmTrailer", L"");
    } else if (name == L"btnDefault") {
      FillDefault(L"mmHeader", L"Строка Header №", Printer().GetInteger(pidNumHeaderLines));
      FillDefault(L"mmTrailer", L"Строка Trailer №", Printer().GetInteger(pidNumTrailerLines));
    }
  }

  using SetLine = int32_t (TOPOSFiscalPrinter::*)(int32_t, const std::wstring&, bool);

  void SetLines(const std::wstring& box, SetLine setLine) {
    const bool doubleWidth = Checked(L"chbDoubleWidth");
    RunProtocol([&] {
      NotifyStart();
      int32_t code = 0;
      int32_t number = 1;
      for (const std::wstring& line : Lines(Text(box))) {
        code = (Printer().*setLine)(number++, ToDriverText(line), doubleWidth);
        if (code != 0) break;
      }
      NotifyResult(code);
    });
  }

  void FillDefault(const std::wstring& box, const std::wstring& prefix, int32_t count) {
    std::wstring text;
    for (int32_t number = 1; number <= count; ++number) {
      if (number > 1) text += L"\r\n";
      text += prefix + std::to_wstring(number);
    }
    SetText(box, text);
  }
};

}  // namespace

const PageClass TfmSetHTClass = {L"Header и Trailer", L"TfmSetHT", CreatePage<TfmSetHT>};

}  // namespace orn::bench
