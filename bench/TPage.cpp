#include "TPage.h"

#include <commctrl.h>

#include "BenchError.h"
#include "ControlSetup.h"
#include "DriverText.h"
#include "FieldConversion.h"

namespace orn::bench {

const wchar_t kApplicationTitle[] = L"Тест OPOS драйвера ФР";

namespace {

constexpr wchar_t kPageClass[] = L"OrnBenchPage";
constexpr int kLabelGap = 4;

int UsualHeight(Kind kind) {
  switch (kind) {
    case Kind::List:
      return 200;  // the height of the dropped list
    case Kind::Button:
    case Kind::Tool:
      return 24;
    case Kind::Memo:
    case Kind::CourierMemo:
    case Kind::Grid:
      return 100;
    default:
      return 21;
  }
}

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind WindowKindOf(Kind kind) {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case Kind::Label:
      return {L"STATIC", child | SS_LEFT, 0};
    case Kind::Edit:
      return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::ReadOnly:
      return {L"EDIT", child | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
    case Kind::Memo:
    case Kind::CourierMemo:
      return {L"EDIT",
              child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                  ES_AUTOHSCROLL | ES_WANTRETURN,
              WS_EX_CLIENTEDGE};
    case Kind::List:
      return {L"COMBOBOX", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case Kind::Check:
      return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case Kind::Button:
    case Kind::Tool:
      return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Kind::Date:
      return {DATETIMEPICK_CLASSW, child | WS_TABSTOP | DTS_SHORTDATEFORMAT, 0};
    case Kind::Time:
      return {DATETIMEPICK_CLASSW, child | WS_TABSTOP | DTS_TIMEFORMAT | DTS_UPDOWN, 0};
    case Kind::Grid:
      return {
          WC_LISTVIEWW,
          child | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
          WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", child, 0};
}

wchar_t DecimalSeparator() {
  wchar_t separator[4] = L".";
  ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
  return separator[0];
}

}  // namespace

void ShowError(HWND owner, const std::wstring& message) {
  ::MessageBoxW(owner, message.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
}

void TPage::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kPageClass;
  ::RegisterClassW(&windowClass);
}

TPage::TPage(HWND parent, TDriver& driver, const PageClass& pageClass,
             std::span<const ControlLayout> controls)
    : driver_(driver), class_(pageClass) {
  // Pages start hidden and without a border; the main window shows one at a time.
  window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, pageClass.pageName,
                              WS_CHILD | WS_CLIPCHILDREN, 0, 0, 100, 100, parent, nullptr,
                              ::GetModuleHandleW(nullptr), this);
  TagWithName(window_, pageClass.className);
  CreateControls(controls);
}

TPage::~TPage() {
  ::DestroyWindow(window_);
}

void TPage::CreateControls(std::span<const ControlLayout> controls) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  int id = 100;
  for (const ControlLayout& layout : controls) {
    const int height = layout.h ? layout.h : UsualHeight(layout.kind);
    if (layout.label) {
      const bool above = layout.kind == Kind::Memo || layout.kind == Kind::CourierMemo ||
                         layout.kind == Kind::Grid;
      const int x = above ? layout.x : kLabelX;
      const int y = above ? layout.y - 17 : layout.y + 3;
      const int w = above ? layout.w : layout.x - kLabelX - kLabelGap;
      HWND label = ::CreateWindowExW(0, L"STATIC", layout.label, WS_CHILD | WS_VISIBLE | SS_LEFT, x,
                                     y, w, 16, window_, nullptr, instance, nullptr);
      SetBenchFont(label, false);
    }
    const WindowKind kind = WindowKindOf(layout.kind);
    HWND control = ::CreateWindowExW(
        kind.exStyle, kind.className, layout.text, kind.style, layout.x, layout.y, layout.w, height,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
    SetBenchFont(control, layout.kind == Kind::CourierMemo);
    kinds_[control] = layout.kind;
    if (!layout.name) continue;
    controls_[layout.name] = control;
    TagWithName(control, layout.name);
    if (layout.kind == Kind::List) {
      for (const wchar_t* item : layout.items) {
        ::SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
      }
      ::SendMessageW(control, CB_SETCURSEL, layout.selected, 0);
    }
    if (layout.kind == Kind::Check && layout.selected == 1) {
      ::SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
    }
    if (layout.kind == Kind::Grid) {
      ListView_SetExtendedListViewStyle(control, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
      const int widths[] = {35, 152, 167};
      for (int column = 0; column < 3; ++column) {
        LVCOLUMNW lvColumn = {};
        lvColumn.mask = LVCF_WIDTH;
        lvColumn.cx = widths[column];
        ListView_InsertColumn(control, column, &lvColumn);
      }
    }
  }
}

LRESULT CALLBACK TPage::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* page = reinterpret_cast<TPage*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!page || page->controls_.empty()) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: {
      const HWND control = reinterpret_cast<HWND>(lParam);
      const std::wstring name = page->NameOf(control);
      if (name.empty()) break;
      switch (HIWORD(wParam)) {
        case BN_CLICKED:
          page->HandleEvent([&] { page->OnClick(name); });
          return 0;
        case EN_CHANGE:
          if (!page->programChange_ && !(::GetWindowLongW(control, GWL_STYLE) & ES_READONLY)) {
            page->HandleEvent([&] { page->OnChange(name); });
          }
          return 0;
        case CBN_SELCHANGE:
          page->HandleEvent([&] { page->OnSelect(name); });
          return 0;
      }
      break;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      const std::wstring name = page->NameOf(header->hwndFrom);
      if (name.empty()) break;
      if (header->code == DTN_DATETIMECHANGE && !page->programChange_) {
        page->HandleEvent([&] { page->OnChange(name); });
      }
      if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) {
          page->HandleEvent([&] { page->OnGridRow(name, change->iItem); });
        }
      }
      break;
    }
    case WM_SIZE:
      page->HandleEvent([&] { page->OnResize(LOWORD(lParam), HIWORD(lParam)); });
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void TPage::HandleEvent(const std::function<void()>& handler) {
  // No error leaves a window procedure: it is shown, and the page stays usable.
  try {
    handler();
  } catch (const BenchError& error) {
    ShowError(::GetAncestor(window_, GA_ROOT), error.message);
  }
}

std::wstring TPage::NameOf(HWND control) const {
  for (const auto& [name, window] : controls_) {
    if (window == control) return name;
  }
  return L"";
}

void TPage::Resize(int width, int height) {
  ::MoveWindow(window_, 0, 0, width, height, TRUE);
}

void TPage::NotifyStart() {
  if (OnCallStart) OnCallStart();
}

void TPage::NotifyResult(int32_t code) {
  if (OnCallResult) OnCallResult(code);
}

void TPage::OnSelect(const std::wstring& name) {
  // A field paired with a list: choosing an entry writes its position into the field.
  if (name.rfind(L"cb", 0) != 0) return;
  const std::wstring field = L"edt" + name.substr(2);
  if (controls_.count(field)) SetText(field, std::to_wstring(Position(name)));
}

void TPage::EnableButtons(bool enabled) {
  for (const auto& [control, kind] : kinds_) {
    if (kind == Kind::Button) ::EnableWindow(control, enabled);
  }
}

void TPage::Call(const std::function<int32_t()>& work) {
  RunProtocol([&] {
    NotifyStart();
    const int32_t code = work();
    NotifyResult(code);
  });
}

void TPage::RunProtocol(const std::function<void()>& operation) {
  EnableButtons(false);
  std::wstring error;
  bool failed = false;
  try {
    operation();
  } catch (const BenchError& e) {
    error = e.message;
    failed = true;
  }
  EnableButtons(true);
  if (failed) ShowError(::GetAncestor(window_, GA_ROOT), error);
}

HWND TPage::Control(const std::wstring& name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

std::wstring TPage::Text(const std::wstring& name) const {
  const HWND control = Control(name);
  std::wstring text(::GetWindowTextLengthW(control) + 1, L'\0');
  text.resize(::GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
  return text;
}

void TPage::SetText(const std::wstring& name, const std::wstring& text) {
  programChange_ = true;
  ::SetWindowTextW(Control(name), text.c_str());
  programChange_ = false;
}

int32_t TPage::IntegerOf(const std::wstring& name) const {
  return ParseInteger(Text(name));
}

int64_t TPage::AmountOf(const std::wstring& name) const {
  return ParseAmount(Text(name), DecimalSeparator());
}

std::wstring TPage::DriverTextOf(const std::wstring& name) const {
  return ToDriverText(Text(name));
}

int TPage::Position(const std::wstring& name) const {
  return static_cast<int>(::SendMessageW(Control(name), CB_GETCURSEL, 0, 0)) + 1;
}

void TPage::Select(const std::wstring& name, int index) {
  ::SendMessageW(Control(name), CB_SETCURSEL, index, 0);
}

bool TPage::Checked(const std::wstring& name) const {
  return ::SendMessageW(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TPage::SetChecked(const std::wstring& name, bool checked) {
  ::SendMessageW(Control(name), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

SYSTEMTIME TPage::PickedTime(const std::wstring& name) const {
  SYSTEMTIME time = {};
  DateTime_GetSystemtime(Control(name), &time);
  return time;
}

void TPage::SetPickedTime(const std::wstring& name, const SYSTEMTIME& time) {
  programChange_ = true;
  DateTime_SetSystemtime(Control(name), GDT_VALID, &time);
  programChange_ = false;
}

void TPage::AddHint(const std::wstring& name, const wchar_t* hint) {
  if (!hints_) {
    hints_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                               window_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  }
  TTTOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(Control(name));
  tool.lpszText = const_cast<wchar_t*>(hint);
  ::SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TPage::WriteLineTexts() {
  if (Control(L"edtPreLine")) Printer().SetText(pidPreLine, DriverTextOf(L"edtPreLine"));
  if (Control(L"edtPostLine")) Printer().SetText(pidPostLine, DriverTextOf(L"edtPostLine"));
}

}  // namespace orn::bench
