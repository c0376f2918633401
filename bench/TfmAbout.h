#pragma once
// fmuAbout: the about box, a modal dialog owned by the main window.

#include <windows.h>

#include <string>

namespace orn::bench {

class TfmAbout {
 public:
  TfmAbout(HWND owner, std::wstring title, std::wstring versionLine);
  void ShowModal();

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls(HWND dialog);

  HWND owner_;
  std::wstring title_;
  std::wstring versionLine_;
  HFONT titleFont_ = nullptr;
  HBITMAP logo_ = nullptr;
};

}  // namespace orn::bench
