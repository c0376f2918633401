#include "ControlSetup.h"

#include <string>

namespace orn::bench {
namespace {

HFONT MessageFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
  }();
  return font;
}

HFONT CourierFont(int height) {
  return ::CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, L"Courier New");
}

// The font's face, height and weight as a window property, so that the user-interface
// harness measures a control's texts with the control's own font.
void TagWithFont(HWND window, HFONT font) {
  LOGFONTW description = {};
  ::GetObjectW(font, sizeof description, &description);
  const std::wstring tag = std::wstring(description.lfFaceName) + L"|" +
                           std::to_wstring(description.lfHeight) + L"|" +
                           std::to_wstring(description.lfWeight);
  ::SetPropW(window, L"OrnFont",
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(::GlobalAddAtomW(tag.c_str()))));
}

// A screen device context with the window's font selected, for one measurement.
class FontDc {
 public:
  explicit FontDc(HWND window) : dc_(::GetDC(window)), window_(window) {
    old_ = ::SelectObject(dc_, reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)));
  }
  ~FontDc() {
    ::SelectObject(dc_, old_);
    ::ReleaseDC(window_, dc_);
  }
  FontDc(const FontDc&) = delete;
  FontDc& operator=(const FontDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HWND window_;
  HGDIOBJ old_;
};

}  // namespace

void SetBenchFont(HWND window, BenchFont font) {
  static const HFONT fixedPitch = CourierFont(13);
  static const HFONT smallFixedPitch = CourierFont(11);
  switch (font) {
    case BenchFont::Message:
      SetOwnFont(window, MessageFont());
      break;
    case BenchFont::FixedPitch:
      SetOwnFont(window, fixedPitch);
      break;
    case BenchFont::SmallFixedPitch:
      SetOwnFont(window, smallFixedPitch);
      break;
  }
}

void SetOwnFont(HWND window, HFONT font) {
  ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  TagWithFont(window, font);
}

void TagWithName(HWND window, const wchar_t* name) {
  ::SetPropW(window, L"OrnName",
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(::GlobalAddAtomW(name))));
}

int TextWidth(HWND window, const wchar_t* text) {
  const FontDc dc(window);
  SIZE size = {};
  ::GetTextExtentPoint32W(dc.get(), text, lstrlenW(text), &size);
  return size.cx;
}

int LineHeight(HWND window) {
  const FontDc dc(window);
  TEXTMETRICW metrics = {};
  ::GetTextMetricsW(dc.get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace orn::bench
