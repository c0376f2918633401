#pragma once
// fmuMain: the main window. The page lists on a tab control at the left, the page shown in
// the data panel, and the result panel at the bottom with the call's time.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "TOPOSFiscalPrinter.h"
#include "TPage.h"

namespace orn::bench {

class TfmMain {
 public:
  TfmMain();
  ~TfmMain();
  TfmMain(const TfmMain&) = delete;
  TfmMain& operator=(const TfmMain&) = delete;

  HWND Handle() const { return window_; }
  static void RegisterWindowClass(HINSTANCE instance);
  // The keys the main window handles before its dialog navigation does: Enter presses the
  // focused button, or the default button of the page holding the focus. True when handled.
  bool PreTranslateMessage(const MSG& message);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PageListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR main);
  void CreateControls();
  HWND ResultLabel(const wchar_t* text);
  int PageListWidth(int listHeight) const;
  void LayOutResultPanel(HDWP& batch, int width);
  void FocusPage();
  void RestoreFocus();
  void CreatePages();
  void FillPageList(HWND listBox, const std::vector<std::unique_ptr<TPage>>& pages);
  void LayOut(int width, int height);
  void ShowPage(TPage* page);
  void PageControlChange();
  void ShowListPage(HWND listBox, const std::vector<std::unique_ptr<TPage>>& pages);
  void PageChosen(HWND listBox, const std::vector<std::unique_ptr<TPage>>& pages);
  void StartTiming();
  void ShowResult(int32_t code);
  void ShowAbout();

  HWND window_ = nullptr;
  HWND pageControl_ = nullptr;
  HWND lbCmnPages_ = nullptr;
  HWND lbRecPages_ = nullptr;
  HWND pnlData_ = nullptr;
  HWND bevel_ = nullptr;
  HWND panel1_ = nullptr;
  HWND edtResult_ = nullptr;
  HWND edtExtendedResult_ = nullptr;
  HWND edtPrinterState_ = nullptr;
  HWND edtErrorString_ = nullptr;
  HWND edtTime_ = nullptr;
  HWND timeLabel_ = nullptr;
  HWND btnAbout_ = nullptr;
  HWND btnClose_ = nullptr;
  std::vector<std::pair<HWND, HWND>> resultRows_;  // label and field, top to bottom
  HWND savedFocus_ = nullptr;                      // the focus when the window was last deactivated
  bool listKeyDown_ = false;                       // a page list is handling a key

  // Destroyed in reverse order: the pages first, then the driver with the control.
  TDriver driver_;
  std::vector<std::unique_ptr<TPage>> commonPages_;
  std::vector<std::unique_ptr<TPage>> receiptPages_;
  TPage* shownPage_ = nullptr;
  bool stopWatchRunning_ = false;
  DWORD stopWatchStart_ = 0;
};

}  // namespace orn::bench
