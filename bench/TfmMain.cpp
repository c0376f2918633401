#include "TfmMain.h"

#include <commctrl.h>

#include "ControlSetup.h"
#include "DriverText.h"
#include "FileVersion.h"
#include "PageLists.h"
#include "ResultNames.h"
#include "TfmAbout.h"

namespace orn::bench {
namespace {

constexpr wchar_t kMainClass[] = L"OrnBenchMain";
constexpr wchar_t kPanelClass[] = L"OrnBenchPanel";
constexpr int kClientWidth = 544;
constexpr int kClientHeight = 424;
constexpr int kMinWidth = 552;
constexpr int kMinHeight = 451;
constexpr int kPageControlWidth = 165;
constexpr int kResultPanelHeight = 107;

enum ControlId { idPageControl = 1, idCmnPages, idRecPages, idAbout, idClose };

// The panels pass their controls' notifications on to the main window.
LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_NOTIFY) {
    return ::SendMessageW(::GetParent(window), message, wParam, lParam);
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                 DWORD exStyle, int id, const wchar_t* name) {
  HWND window = ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10,
                                  10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleW(nullptr), nullptr);
  SetBenchFont(window, false);
  if (name) TagWithName(window, name);
  return window;
}

// One labelled field of the result panel, at its row (0..3) and column (0 or 1).
HWND ResultField(HWND panel, const wchar_t* label, const wchar_t* name, int row, bool readOnly) {
  const int y = 6 + row * 25;
  HWND caption = CreateChild(panel, L"STATIC", label, SS_LEFT, 0, 0, nullptr);
  ::MoveWindow(caption, 8, y + 3, 120, 16, FALSE);
  HWND field =
      CreateChild(panel, L"EDIT", L"", ES_AUTOHSCROLL | (readOnly ? ES_READONLY : WS_TABSTOP),
                  WS_EX_CLIENTEDGE, 0, name);
  ::MoveWindow(field, 130, y, readOnly ? 120 : 280, 21, FALSE);
  return field;
}

}  // namespace

void TfmMain::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainClass;
  ::RegisterClassW(&windowClass);
  // The data panel and the result panel: plain containers.
  windowClass.lpfnWndProc = PanelProc;
  windowClass.hIcon = nullptr;
  windowClass.lpszClassName = kPanelClass;
  ::RegisterClassW(&windowClass);
}

TfmMain::TfmMain() {
  // A fixed border at first; the size is the designed client area whatever the caption
  // height (the Win32 form of the designed height adjustment).
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  const std::wstring caption = std::wstring(kApplicationTitle) + L" " + FileVersionText();
  window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kMainClass, caption.c_str(), style, x, y, width,
                              height, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
  TagWithName(window_, L"TfmMain");
  CreateControls();
  CreatePages();
  FillPageList(lbCmnPages_, commonPages_);
  FillPageList(lbRecPages_, receiptPages_);
  ShowPage(commonPages_.front().get());
  ReadCodepageFlag(L"Ornita-OPOS-1");
  ::SetWindowLongW(window_, GWL_STYLE, style | WS_THICKFRAME | WS_MAXIMIZEBOX);
  ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  RECT client;
  ::GetClientRect(window_, &client);
  LayOut(client.right, client.bottom);
}

TfmMain::~TfmMain() {
  commonPages_.clear();
  receiptPages_.clear();
}

void TfmMain::CreateControls() {
  pageControl_ = CreateChild(window_, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, 0,
                             idPageControl, L"PageControl");
  TCITEMW tab = {};
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<wchar_t*>(L"Общие");
  TabCtrl_InsertItem(pageControl_, 0, &tab);
  tab.pszText = const_cast<wchar_t*>(L"Чек");
  TabCtrl_InsertItem(pageControl_, 1, &tab);
  // The longest receipt entries are wider than the list: they scroll sideways.
  const DWORD listStyle = WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  lbCmnPages_ =
      CreateChild(window_, L"LISTBOX", L"", listStyle, WS_EX_CLIENTEDGE, idCmnPages, L"lbCmnPages");
  lbRecPages_ =
      CreateChild(window_, L"LISTBOX", L"", listStyle, WS_EX_CLIENTEDGE, idRecPages, L"lbRecPages");
  ::ShowWindow(lbRecPages_, SW_HIDE);
  pnlData_ =
      CreateChild(window_, kPanelClass, L"", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, L"pnlData");
  bevel_ = CreateChild(window_, L"STATIC", L"", SS_ETCHEDHORZ, 0, 0, L"Bevel");
  panel1_ =
      CreateChild(window_, kPanelClass, L"", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, L"Panel1");
  edtResult_ = ResultField(panel1_, L"Result:", L"edtResult", 0, false);
  edtExtendedResult_ = ResultField(panel1_, L"ResultCodeExtended:", L"edtExtendedResult", 1, false);
  edtPrinterState_ = ResultField(panel1_, L"PrinterState:", L"edtPrinterState", 2, false);
  edtErrorString_ = ResultField(panel1_, L"ErrorString:", L"edtErrorString", 3, false);
  HWND timeLabel = CreateChild(panel1_, L"STATIC", L"Время:", SS_LEFT, 0, 0, nullptr);
  ::MoveWindow(timeLabel, 420, 9, 40, 16, FALSE);
  edtTime_ = CreateChild(panel1_, L"EDIT", L"", ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, 0,
                         L"edtTime");
  ::MoveWindow(edtTime_, 464, 6, 72, 21, FALSE);
  HWND about = CreateChild(panel1_, L"BUTTON", L"О программе...", WS_TABSTOP | BS_PUSHBUTTON, 0,
                           idAbout, L"btnAbout");
  ::MoveWindow(about, 420, 50, 116, 24, FALSE);
  HWND close = CreateChild(panel1_, L"BUTTON", L"Закрыть", WS_TABSTOP | BS_PUSHBUTTON, 0, idClose,
                           L"btnClose");
  ::MoveWindow(close, 420, 78, 116, 24, FALSE);
}

void TfmMain::CreatePages() {
  const auto create = [this](std::span<const PageClass* const> classes,
                             std::vector<std::unique_ptr<TPage>>& pages) {
    for (const PageClass* pageClass : classes) {
      pages.emplace_back(pageClass->create(pnlData_, driver_));
      TPage& page = *pages.back();
      page.AfterCreate();
      page.OnCallResult = [this](int32_t code) { ShowResult(code); };
      page.OnCallStart = [this] { StartTiming(); };
    }
  };
  create(CommonPages(), commonPages_);
  create(ReceiptPages(), receiptPages_);
}

void TfmMain::FillPageList(HWND listBox, const std::vector<std::unique_ptr<TPage>>& pages) {
  ::SendMessageW(listBox, LB_RESETCONTENT, 0, 0);
  for (const auto& page : pages) {
    ::SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(page->GetPageName()));
  }
  ::SendMessageW(listBox, LB_SETCURSEL, 0, 0);
  ::SendMessageW(listBox, LB_SETHORIZONTALEXTENT, 190, 0);
}

void TfmMain::LayOut(int width, int height) {
  const int upperHeight = height - kResultPanelHeight - 2;
  ::MoveWindow(pageControl_, 2, 2, kPageControlWidth - 4, upperHeight - 2, TRUE);
  RECT display = {0, 0, kPageControlWidth - 4, upperHeight - 2};
  TabCtrl_AdjustRect(pageControl_, FALSE, &display);
  for (HWND list : {lbCmnPages_, lbRecPages_}) {
    ::SetWindowPos(list, HWND_TOP, display.left + 2, display.top + 2, display.right - display.left,
                   display.bottom - display.top, 0);
  }
  ::MoveWindow(pnlData_, kPageControlWidth, 0, width - kPageControlWidth, upperHeight, TRUE);
  ::MoveWindow(bevel_, 0, upperHeight, width, 2, TRUE);
  ::MoveWindow(panel1_, 0, upperHeight + 2, width, kResultPanelHeight, TRUE);
  if (shownPage_) shownPage_->Resize(width - kPageControlWidth, upperHeight);
}

void TfmMain::ShowPage(TPage* page) {
  if (page == shownPage_) return;
  RECT area;
  ::GetClientRect(pnlData_, &area);
  page->Resize(area.right, area.bottom);
  ::ShowWindow(page->Handle(), SW_SHOW);
  if (shownPage_) ::ShowWindow(shownPage_->Handle(), SW_HIDE);
  shownPage_ = page;
}

void TfmMain::ShowListPage(HWND listBox, const std::vector<std::unique_ptr<TPage>>& pages) {
  const LRESULT index = ::SendMessageW(listBox, LB_GETCURSEL, 0, 0);
  if (index >= 0 && index < static_cast<LRESULT>(pages.size())) ShowPage(pages[index].get());
}

void TfmMain::PageControlChange() {
  const bool common = TabCtrl_GetCurSel(pageControl_) == 0;
  ::ShowWindow(lbCmnPages_, common ? SW_SHOW : SW_HIDE);
  ::ShowWindow(lbRecPages_, common ? SW_HIDE : SW_SHOW);
  if (common) {
    ShowListPage(lbCmnPages_, commonPages_);
  } else {
    ShowListPage(lbRecPages_, receiptPages_);
  }
}

void TfmMain::StartTiming() {
  stopWatchRunning_ = true;
  stopWatchStart_ = ::GetTickCount();
}

void TfmMain::ShowResult(int32_t code) {
  TOPOSFiscalPrinter& printer = driver_.Printer();
  ::SetWindowTextW(edtErrorString_, FromDriverText(printer.GetText(pidErrorString)).c_str());
  if (stopWatchRunning_) {
    const std::wstring elapsed = std::to_wstring(::GetTickCount() - stopWatchStart_) + L" мс.";
    ::SetWindowTextW(edtTime_, elapsed.c_str());
    stopWatchRunning_ = false;
  } else {
    ::SetWindowTextW(edtTime_, L"");
  }
  ::SetWindowTextW(edtResult_, ResultCodeName(code).c_str());
  ::SetWindowTextW(edtExtendedResult_,
                   ExtendedCodeName(printer.GetInteger(pidResultCodeExtended)).c_str());
  ::SetWindowTextW(edtPrinterState_, PrinterStateName(printer.GetInteger(pidPrinterState)).c_str());
}

void TfmMain::ShowAbout() {
  const std::wstring version = L"Версия теста: " + FileVersionText() + L" от " + FileDateText();
  TfmAbout about(window_, kApplicationTitle, version);
  about.ShowModal();
}

LRESULT CALLBACK TfmMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* main = reinterpret_cast<TfmMain*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!main || !main->panel1_) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == idAbout && HIWORD(wParam) == BN_CLICKED) {
        main->ShowAbout();
        return 0;
      }
      if (LOWORD(wParam) == idClose && HIWORD(wParam) == BN_CLICKED) {
        ::DestroyWindow(window);
        return 0;
      }
      if (LOWORD(wParam) == idCmnPages && HIWORD(wParam) == LBN_SELCHANGE) {
        main->ShowListPage(main->lbCmnPages_, main->commonPages_);
        return 0;
      }
      if (LOWORD(wParam) == idRecPages && HIWORD(wParam) == LBN_SELCHANGE) {
        main->ShowListPage(main->lbRecPages_, main->receiptPages_);
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == main->pageControl_ && header->code == TCN_SELCHANGE) {
        main->PageControlChange();
      }
      break;
    }
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {kMinWidth, kMinHeight};
      return 0;
    }
    case WM_SIZE:
      main->LayOut(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_CLOSE:
      ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace orn::bench
