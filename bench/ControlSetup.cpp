#include "ControlSetup.h"

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

HFONT CourierFont() {
  static HFONT font = ::CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    FIXED_PITCH | FF_MODERN, L"Courier New");
  return font;
}

}  // namespace

void SetBenchFont(HWND window, bool fixedPitch) {
  ::SendMessageW(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fixedPitch ? CourierFont() : MessageFont()), FALSE);
}

void TagWithName(HWND window, const wchar_t* name) {
  ::SetPropW(window, L"OrnName",
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(::GlobalAddAtomW(name))));
}

}  // namespace orn::bench
