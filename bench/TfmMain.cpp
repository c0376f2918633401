#include "TfmMain.h"

#include <commctrl.h>

#include <algorithm>

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
// The result panel: four rows of a label and a field, at the right the time and the two
// buttons.
constexpr int kRowStep = 25;
constexpr int kTimeW = 72;
constexpr int kButtonMinW = 116;

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
  SetBenchFont(window);
  if (name) TagWithName(window, name);
  return window;
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
  savedFocus_ = shownPage_->FirstField();
}

TfmMain::~TfmMain() {
  commonPages_.clear();
  receiptPages_.clear();
}

void TfmMain::CreateControls() {
  // Not a Tab stop: Tab runs from the page list to the page; Ctrl+Tab changes the list.
  pageControl_ =
      CreateChild(window_, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, 0, idPageControl, L"PageControl");
  TCITEMW tab = {};
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<wchar_t*>(L"Общие");
  TabCtrl_InsertItem(pageControl_, 0, &tab);
  tab.pszText = const_cast<wchar_t*>(L"Чек");
  TabCtrl_InsertItem(pageControl_, 1, &tab);
  // The page control is made as wide as the longest entry needs (see PageListWidth).
  const DWORD listStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  lbCmnPages_ =
      CreateChild(window_, L"LISTBOX", L"", listStyle, WS_EX_CLIENTEDGE, idCmnPages, L"lbCmnPages");
  lbRecPages_ =
      CreateChild(window_, L"LISTBOX", L"", listStyle, WS_EX_CLIENTEDGE, idRecPages, L"lbRecPages");
  ::ShowWindow(lbRecPages_, SW_HIDE);
  for (HWND list : {lbCmnPages_, lbRecPages_}) {
    ::SetWindowSubclass(list, PageListProc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  pnlData_ =
      CreateChild(window_, kPanelClass, L"", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, L"pnlData");
  bevel_ = CreateChild(window_, L"STATIC", L"", SS_ETCHEDHORZ, 0, 0, L"Bevel");
  panel1_ =
      CreateChild(window_, kPanelClass, L"", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, L"Panel1");
  const auto field = [this](const wchar_t* label, const wchar_t* name) {
    HWND caption = ResultLabel(label);
    HWND edit =
        CreateChild(panel1_, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 0, name);
    resultRows_.emplace_back(caption, edit);
    return edit;
  };
  edtResult_ = field(L"Result:", L"edtResult");
  edtExtendedResult_ = field(L"ResultCodeExtended:", L"edtExtendedResult");
  edtPrinterState_ = field(L"PrinterState:", L"edtPrinterState");
  edtErrorString_ = field(L"ErrorString:", L"edtErrorString");
  timeLabel_ = ResultLabel(L"Время:");
  edtTime_ = CreateChild(panel1_, L"EDIT", L"", ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, 0,
                         L"edtTime");
  btnAbout_ = CreateChild(panel1_, L"BUTTON", L"О программе...", WS_TABSTOP | BS_PUSHBUTTON, 0,
                          idAbout, L"btnAbout");
  btnClose_ = CreateChild(panel1_, L"BUTTON", L"Закрыть", WS_TABSTOP | BS_PUSHBUTTON, 0, idClose,
                          L"btnClose");
}

HWND TfmMain::ResultLabel(const wchar_t* text) {
  return CreateChild(panel1_, L"STATIC", text, SS_LEFT, 0, 0, nullptr);
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
}

// The tab control's width: the designed one, or more when the longest page entry, with the
// list's border and (when the entries do not all fit its height) its scroll bar, needs it.
int TfmMain::PageListWidth(int listHeight) const {
  int widest = 0;
  int count = 0;
  for (HWND list : {lbCmnPages_, lbRecPages_}) {
    const auto entries = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    count = std::max(count, entries);
    for (int index = 0; index < entries; ++index) {
      wchar_t text[128] = {};
      ::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
      widest = std::max(widest, TextWidth(list, text));
    }
  }
  const auto itemHeight = static_cast<int>(::SendMessageW(lbCmnPages_, LB_GETITEMHEIGHT, 0, 0));
  const int edges = 4 * ::GetSystemMetrics(SM_CXEDGE);
  const bool scrolls = count * itemHeight > listHeight - edges;
  RECT tabs = {0, 0, 200, 200};
  TabCtrl_AdjustRect(pageControl_, FALSE, &tabs);
  const int tabBorders = 200 - (tabs.right - tabs.left);
  const int needed =
      widest + 8 + edges + tabBorders + 4 + (scrolls ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
  return std::max(kPageControlWidth, needed);
}

// Everything moves in one deferred batch per parent, without drawing; then the whole window
// is drawn once, so that no piece of a control is left where it was.
void TfmMain::LayOut(int width, int height) {
  const int upperHeight = height - kResultPanelHeight - 2;
  const int tabsWidth = PageListWidth(upperHeight);
  RECT display = {0, 0, tabsWidth - 4, upperHeight - 2};
  TabCtrl_AdjustRect(pageControl_, FALSE, &display);
  constexpr UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
  HDWP batch = ::BeginDeferWindowPos(7);
  const auto defer = [&batch](HWND window, int x, int y, int w, int h) {
    if (batch) batch = ::DeferWindowPos(batch, window, nullptr, x, y, w, h, flags);
  };
  defer(pageControl_, 2, 2, tabsWidth - 4, upperHeight - 2);
  for (HWND list : {lbCmnPages_, lbRecPages_}) {
    defer(list, display.left + 2, display.top + 2, display.right - display.left,
          display.bottom - display.top);
  }
  defer(pnlData_, tabsWidth, 0, width - tabsWidth, upperHeight);
  defer(bevel_, 0, upperHeight, width, 2);
  defer(panel1_, 0, upperHeight + 2, width, kResultPanelHeight);
  if (batch) ::EndDeferWindowPos(batch);
  // The page lists lie on the tab control.
  for (HWND list : {lbCmnPages_, lbRecPages_}) {
    ::SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  batch = ::BeginDeferWindowPos(12);
  LayOutResultPanel(batch, width);
  if (batch) ::EndDeferWindowPos(batch);
  if (shownPage_) shownPage_->Resize(width - tabsWidth, upperHeight);
  ::RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

// The labels in a column as wide as the widest of them, the fields up to the time and the
// buttons at the right edge.
void TfmMain::LayOutResultPanel(HDWP& batch, int width) {
  constexpr UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
  const auto defer = [&batch](HWND window, int x, int y, int w, int h) {
    if (batch) batch = ::DeferWindowPos(batch, window, nullptr, x, y, w, h, flags);
  };
  int labels = 0;
  for (const auto& [label, field] : resultRows_) {
    wchar_t text[64] = {};
    ::GetWindowTextW(label, text, 64);
    labels = std::max(labels, TextWidth(label, text));
  }
  const int timeLabel = TextWidth(timeLabel_, L"Время:");
  const int buttonW =
      std::max({kButtonMinW, TextWidth(btnAbout_, L"О программе...") + 16, timeLabel + 4 + kTimeW});
  const int rightX = width - 8 - buttonW;
  const int fieldX = 8 + labels + 6;
  int y = 6;
  for (const auto& [label, field] : resultRows_) {
    defer(label, 8, y + 3, labels + 2, 16);
    defer(field, fieldX, y, rightX - 8 - fieldX, 21);
    y += kRowStep;
  }
  defer(timeLabel_, rightX, 9, timeLabel + 2, 16);
  defer(edtTime_, width - 8 - kTimeW, 6, kTimeW, 21);
  defer(btnAbout_, rightX, 50, buttonW, 24);
  defer(btnClose_, rightX, 78, buttonW, 24);
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

// A page chosen with the mouse gets the focus on its first field; one chosen with the
// arrow keys leaves it in the list, so that the person can go on through the list.
void TfmMain::PageChosen(HWND listBox, const std::vector<std::unique_ptr<TPage>>& pages) {
  ShowListPage(listBox, pages);
  if (!listKeyDown_) FocusPage();
}

void TfmMain::FocusPage() {
  if (!shownPage_) return;
  if (HWND field = shownPage_->FirstField()) ::SetFocus(field);
}

// Back where it was before a message box, the about box or another program took it.
void TfmMain::RestoreFocus() {
  if (savedFocus_ && ::IsWindow(savedFocus_) && ::IsChild(window_, savedFocus_) &&
      ::IsWindowVisible(savedFocus_) && ::IsWindowEnabled(savedFocus_)) {
    ::SetFocus(savedFocus_);
  } else {
    FocusPage();
  }
}

bool TfmMain::PreTranslateMessage(const MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
      (::GetKeyState(VK_CONTROL) & 0x8000)) {
    TabCtrl_SetCurFocus(pageControl_, TabCtrl_GetCurSel(pageControl_) == 0 ? 1 : 0);
    return true;
  }
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
  const HWND focus = ::GetFocus();
  if (!focus || !::IsChild(window_, focus)) return false;
  const auto code =
      ::SendMessageW(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;  // a text box, an open list
  if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
    if (::IsWindowEnabled(focus)) {
      ::SendMessageW(::GetParent(focus), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(focus), BN_CLICKED),
                     reinterpret_cast<LPARAM>(focus));
    }
  } else if (focus == lbCmnPages_ || focus == lbRecPages_) {
    FocusPage();
  } else if (shownPage_ && ::IsChild(shownPage_->Handle(), focus)) {
    shownPage_->PressDefault();
  }
  return true;
}

LRESULT CALLBACK TfmMain::PageListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
  auto* main = reinterpret_cast<TfmMain*>(data);
  if (message == WM_KEYDOWN || message == WM_CHAR) {
    main->listKeyDown_ = true;
    const LRESULT result = ::DefSubclassProc(list, message, wParam, lParam);
    main->listKeyDown_ = false;
    return result;
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(list, PageListProc, 1);
  return ::DefSubclassProc(list, message, wParam, lParam);
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
  // Tabs changed with the keys keep the focus on the tabs; a click leads to the page.
  if (::GetFocus() != pageControl_) FocusPage();
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
        main->PageChosen(main->lbCmnPages_, main->commonPages_);
        return 0;
      }
      if (LOWORD(wParam) == idRecPages && HIWORD(wParam) == LBN_SELCHANGE) {
        main->PageChosen(main->lbRecPages_, main->receiptPages_);
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
      if (wParam != SIZE_MINIMIZED) main->LayOut(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(window, focus)) main->savedFocus_ = focus;
      } else if (!HIWORD(wParam)) {
        main->RestoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      main->RestoreFocus();
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
