#include "TPage.h"

#include <commctrl.h>

#include <algorithm>

#include "BenchError.h"
#include "ControlSetup.h"
#include "DriverText.h"
#include "FieldConversion.h"

namespace orn::bench {

const wchar_t kApplicationTitle[] = L"Тест OPOS драйвера ФР";

namespace {

constexpr wchar_t kPageClass[] = L"OrnBenchPage";
constexpr int kLabelGap = 6;
constexpr int kLabelAboveH = 17;

int UsualHeight(Kind kind) {
  switch (kind) {
    case Kind::List:
      return 200;  // the height of the dropped list
    case Kind::Button:
    case Kind::Tool:
      return 24;
    case Kind::Memo:
    case Kind::CourierMemo:
    case Kind::WrappedText:
    case Kind::Grid:
    case Kind::ListBox:
      return 100;
    case Kind::Tabs:
      return 24;
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
      // Read-only, but reached by Tab, so that its text can be selected and copied.
      return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
    case Kind::Memo:
    case Kind::CourierMemo:
      return {L"EDIT",
              child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                  ES_AUTOHSCROLL | ES_WANTRETURN,
              WS_EX_CLIENTEDGE};
    case Kind::WrappedText:
      return {L"EDIT",
              child | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
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
    case Kind::ListBox:
      return {L"LISTBOX", child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case Kind::Tabs:
      // As high as its row of tabs: the controls of a section lie below it, not on it.
      return {WC_TABCONTROLW, child | WS_TABSTOP | WS_CLIPSIBLINGS, 0};
  }
  return {L"STATIC", child, 0};
}

bool LabelAbove(Kind kind) {
  return kind == Kind::Memo || kind == Kind::CourierMemo || kind == Kind::Grid;
}

// Boxes and grids take the page's whole width.
bool IsBox(Kind kind) {
  return kind == Kind::Memo || kind == Kind::CourierMemo || kind == Kind::WrappedText ||
         kind == Kind::Grid;
}

BenchFont FontOf(Kind kind) {
  switch (kind) {
    case Kind::CourierMemo:
      return BenchFont::FixedPitch;
    case Kind::WrappedText:
      return BenchFont::SmallFixedPitch;
    default:
      return BenchFont::Message;
  }
}

// Boxes, list boxes and the tab row reach the right margin.
bool FillsWidth(Kind kind) {
  return IsBox(kind) || kind == Kind::ListBox || kind == Kind::Tabs;
}

// A field or list drawn as wide as a full field in the design reaches the right margin.
bool Stretches(const ControlLayout& layout) {
  return (layout.kind == Kind::Edit || layout.kind == Kind::ReadOnly ||
          layout.kind == Kind::List) &&
         layout.x + layout.w == kFieldX + kFieldW;
}

// The width a drop-down list needs to show its longest entry whole.
int DroppedWidth(HWND list, Items items) {
  int widest = 0;
  for (const wchar_t* item : items) widest = std::max(widest, TextWidth(list, item));
  return widest + ::GetSystemMetrics(SM_CXVSCROLL) + 12;
}

// A multi-line box takes Enter for a new line, but Tab moves on to the next control, as in
// a dialog.
LRESULT CALLBACK TabLeavesBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
  if (message == WM_GETDLGCODE) {
    LRESULT code = ::DefSubclassProc(box, message, wParam, lParam);
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    if (key && key->message == WM_KEYDOWN && key->wParam == VK_TAB) code &= ~DLGC_WANTALLKEYS;
    return code;
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(box, TabLeavesBoxProc, 1);
  return ::DefSubclassProc(box, message, wParam, lParam);
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
    Entry entry = {layout, nullptr, nullptr, {}};
    if (layout.label) {
      entry.label = ::CreateWindowExW(0, L"STATIC", layout.label, WS_CHILD | WS_VISIBLE | SS_LEFT,
                                      0, 0, 10, 10, window_, nullptr, instance, nullptr);
      SetBenchFont(entry.label);
    }
    const WindowKind kind = WindowKindOf(layout.kind);
    DWORD style = kind.style;
    const bool isDefault = !defaultButton_ && layout.kind == Kind::Button;
    if (isDefault) style |= BS_DEFPUSHBUTTON;
    const int height = layout.h ? layout.h : UsualHeight(layout.kind);
    HWND control = ::CreateWindowExW(
        kind.exStyle, kind.className, layout.text, style, layout.x, layout.y, layout.w, height,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
    if (isDefault) defaultButton_ = control;
    entry.control = control;
    entries_.push_back(entry);
    SetBenchFont(control, FontOf(layout.kind));
    if (IsBox(layout.kind) && layout.kind != Kind::Grid) {
      ::SetWindowSubclass(control, TabLeavesBoxProc, 1, 0);
    }
    kinds_[control] = layout.kind;
    if (!layout.name) continue;
    controls_[layout.name] = control;
    TagWithName(control, layout.name);
    if (layout.kind == Kind::List) {
      for (const wchar_t* item : layout.items) {
        ::SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
      }
      ::SendMessageW(control, CB_SETCURSEL, layout.selected, 0);
      ::SendMessageW(control, CB_SETDROPPEDWIDTH, DroppedWidth(control, layout.items), 0);
    }
    if (layout.kind == Kind::Tabs) {
      tabs_ = control;
      TCITEMW tab = {};
      tab.mask = TCIF_TEXT;
      for (const wchar_t* item : layout.items) {
        tab.pszText = const_cast<wchar_t*>(item);
        TabCtrl_InsertItem(control, TabCtrl_GetItemCount(control), &tab);
      }
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
  // A page that calls nothing: its first button is the default one.
  if (!defaultButton_) {
    for (const Entry& entry : entries_) {
      if (entry.layout.kind == Kind::Tool) {
        defaultButton_ = entry.control;
        break;
      }
    }
  }
  MeasureFieldColumn();
  if (tabs_) ShowSection(1);
}

void TPage::MeasureFieldColumn() {
  int widest = 0;
  for (const Entry& entry : entries_) {
    if (entry.label && !LabelAbove(entry.layout.kind)) {
      widest = std::max(widest, TextWidth(entry.label, entry.layout.label));
    }
  }
  if (widest > 0) fieldShift_ = kLabelX + widest + kLabelGap - kFieldX;
}

RECT TPage::DesignedPlace(const ControlLayout& layout, int width) const {
  int x = layout.x;
  int w = layout.w;
  if (x >= kFieldX && !layout.pinned) x += fieldShift_;
  if (Stretches(layout)) w = std::min(width - kMargin, x + kFieldMaxW) - x;
  if (FillsWidth(layout.kind)) w = width - kMargin - x;
  const int h = layout.h ? layout.h : UsualHeight(layout.kind);
  return {x, layout.y, x + std::max(w, 0), layout.y + h};
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
        case EN_KILLFOCUS:
          if (!page->focusLeavesBench_) page->HandleEvent([&] { page->OnLeave(name); });
          return 0;
      }
      break;
    }
    case WM_SHOWWINDOW:
      if (wParam) page->HandleEvent([&] { page->OnShow(); });
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      const std::wstring name = page->NameOf(header->hwndFrom);
      if (name.empty()) break;
      if (header->code == TCN_SELCHANGE && header->hwndFrom == page->tabs_) {
        page->ShowSection(TabCtrl_GetCurSel(page->tabs_) + 1);
      }
      if (header->code == DTN_DATETIMECHANGE && !page->programChange_) {
        page->HandleEvent([&] { page->OnChange(name); });
      }
      if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) {
          page->HandleEvent([&] { page->OnGridRow(name, change->iItem); });
        }
      }
      page->HandleEvent([&] { page->OnGridNotify(name, *header); });
      break;
    }
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
  ::SetWindowPos(window_, nullptr, 0, 0, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  for (Entry& entry : entries_) entry.place = DesignedPlace(entry.layout, width);
  HandleEvent([&] { OnResize(width, height); });
  HDWP batch = ::BeginDeferWindowPos(static_cast<int>(entries_.size() * 2));
  const auto defer = [&batch](HWND window, int x, int y, int w, int h) {
    if (batch) {
      batch = ::DeferWindowPos(batch, window, nullptr, x, y, w, h,
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
  };
  for (const Entry& entry : entries_) {
    const RECT& place = entry.place;
    defer(entry.control, place.left, place.top, place.right - place.left, place.bottom - place.top);
    if (!entry.label) continue;
    // The label above a box, or at the left of a field in the label column.
    if (LabelAbove(entry.layout.kind)) {
      defer(entry.label, place.left, place.top - kLabelAboveH, place.right - place.left, 16);
    } else {
      defer(entry.label, kLabelX, place.top + 3, place.left - kLabelX - kLabelGap / 2, 16);
    }
  }
  if (batch) ::EndDeferWindowPos(batch);
  HandleEvent([&] { OnPlaced(); });
}

void TPage::Place(const std::wstring& name, int x, int y, int w, int h) {
  const HWND control = Control(name);
  for (Entry& entry : entries_) {
    if (entry.control == control) entry.place = {x, y, x + std::max(w, 0), y + std::max(h, 0)};
  }
}

HWND TPage::FirstField() const {
  for (const Entry& entry : entries_) {
    const LONG style = ::GetWindowLongW(entry.control, GWL_STYLE);
    if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) {
      return entry.control;
    }
  }
  return nullptr;
}

void TPage::PressDefault() {
  if (defaultButton_ && ::IsWindowEnabled(defaultButton_)) {
    ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(defaultButton_), BN_CLICKED),
                   reinterpret_cast<LPARAM>(defaultButton_));
  }
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
  // A disabled button loses the focus: the keyboard gets it back where it was.
  const HWND focus = ::GetFocus();
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
  if (focus && ::IsWindow(focus) && ::IsWindowEnabled(focus) && ::GetFocus() != focus) {
    ::SetFocus(focus);
  }
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

void TPage::ShowSection(int section) {
  if (TabCtrl_GetCurSel(tabs_) != section - 1) TabCtrl_SetCurSel(tabs_, section - 1);
  for (const Entry& entry : entries_) {
    const int show =
        entry.layout.section == 0 || entry.layout.section == section ? SW_SHOW : SW_HIDE;
    ::ShowWindow(entry.control, show);
    if (entry.label) ::ShowWindow(entry.label, show);
  }
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

void TPage::TakeEnter(HWND field, const std::wstring& name) {
  enterFields_[field] = name;
  ::SetWindowSubclass(field, EnterFieldProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TPage::EnterFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
  auto* page = reinterpret_cast<TPage*>(data);
  const bool ours = wParam == VK_RETURN || wParam == VK_ESCAPE;
  switch (message) {
    case WM_GETDLGCODE:
      // Enter and Escape go to the field, not to the page's default button.
      if (lParam && ours && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN) {
        return DLGC_WANTALLKEYS | ::DefSubclassProc(field, message, wParam, lParam);
      }
      break;
    case WM_KEYDOWN:
      if (ours) {
        const std::wstring name = page->enterFields_[field];
        page->HandleEvent([&] {
          if (wParam == VK_RETURN) {
            page->OnEnter(name);
          } else {
            page->OnEscape(name);
          }
        });
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == 27) return 0;  // no beep
      break;
    case WM_KILLFOCUS: {
      // Leaving a field means going to another control of the bench. Focus that goes out of
      // the window (another program, the window manager taking it for a moment, a message
      // box) leaves the text as it is, to be written when the person really leaves.
      const HWND to = reinterpret_cast<HWND>(wParam);
      const bool staysInBench = to && ::GetAncestor(to, GA_ROOT) == ::GetAncestor(field, GA_ROOT);
      if (!staysInBench) {
        page->focusLeavesBench_ = true;
        const LRESULT result = ::DefSubclassProc(field, message, wParam, lParam);
        page->focusLeavesBench_ = false;
        return result;
      }
      // A field of another control (the grid's cell editor) tells the page itself.
      if (::GetParent(field) != page->window_) {
        const std::wstring name = page->enterFields_[field];
        page->HandleEvent([&] { page->OnLeave(name); });
      }
      break;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(field, EnterFieldProc, 1);
      break;
  }
  return ::DefSubclassProc(field, message, wParam, lParam);
}

void TPage::WriteLineTexts() {
  if (Control(L"edtPreLine")) Printer().SetText(pidPreLine, DriverTextOf(L"edtPreLine"));
  if (Control(L"edtPostLine")) Printer().SetText(pidPostLine, DriverTextOf(L"edtPostLine"));
}

}  // namespace orn::bench
