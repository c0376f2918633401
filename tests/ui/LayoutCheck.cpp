#include "LayoutCheck.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "UiDriver.h"

namespace orn::ui {
namespace {

constexpr UINT kTimeoutMs = 5000;
// Up to this many lines a multi-line box is meant to show whole (the additional header's
// four, a health text); longer texts scroll.
constexpr int kLinesShownWhole = 8;

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  const auto length = static_cast<int>(Ask(window, WM_GETTEXTLENGTH));
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, kTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

std::wstring Describe(HWND window) {
  const std::wstring name = NameOf(window);
  if (!name.empty()) return name;
  std::wstring text = TextOf(window);
  if (text.size() > 30) text = text.substr(0, 30) + L"…";
  return ClassOf(window) + L" '" + text + L"'";
}

bool Is(HWND window, const wchar_t* className) {
  return lstrcmpiW(ClassOf(window).c_str(), className) == 0;
}

LONG Style(HWND window) {
  return ::GetWindowLongW(window, GWL_STYLE);
}

// A static that draws a picture or a frame, not a text.
bool IsDecoration(HWND window) {
  if (!Is(window, L"Static")) return false;
  const LONG type = Style(window) & SS_TYPEMASK;
  return type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
         type != SS_SIMPLE;
}

// The control's own font: the bench tags each control with the face, height and weight of
// the font it gave it; a control without the tag has the system's message font.
HFONT FontOf(HWND window) {
  static std::map<std::wstring, HFONT> fonts;
  std::wstring tag;
  if (const auto atom =
          static_cast<ATOM>(reinterpret_cast<UINT_PTR>(::GetPropW(window, L"OrnFont")))) {
    wchar_t text[128] = {};
    ::GlobalGetAtomNameW(atom, text, 128);
    tag = text;
  }
  auto& font = fonts[tag];
  if (font) return font;
  LOGFONTW description = {};
  if (tag.empty()) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    description = metrics.lfMessageFont;
  } else {
    // "face|height|weight"
    const size_t first = tag.find(L'|');
    const size_t second = tag.find(L'|', first + 1);
    lstrcpynW(description.lfFaceName, tag.substr(0, first).c_str(), LF_FACESIZE);
    description.lfHeight = std::stol(tag.substr(first + 1, second - first - 1));
    description.lfWeight = std::stol(tag.substr(second + 1));
    description.lfCharSet = DEFAULT_CHARSET;
  }
  font = ::CreateFontIndirectW(&description);
  return font;
}

// Width and line height of texts in a control's font, on one screen device context kept
// for the whole run.
class Measure {
 public:
  explicit Measure(HWND window) : dc_(ScreenDc()) {
    old_ = ::SelectObject(dc_, FontOf(window));
    ::GetTextMetricsW(dc_, &metrics_);
  }
  ~Measure() { ::SelectObject(dc_, old_); }
  Measure(const Measure&) = delete;
  Measure& operator=(const Measure&) = delete;

  int Width(const std::wstring& text) const {
    // Tabs are not used in the bench's texts; a line break ends the measured line.
    const std::wstring line = text.substr(0, text.find_first_of(L"\r\n"));
    SIZE size = {};
    ::GetTextExtentPoint32W(dc_, line.c_str(), static_cast<int>(line.size()), &size);
    return size.cx;
  }
  int LineHeight() const { return metrics_.tmHeight; }

 private:
  static HDC ScreenDc() {
    static const HDC dc = ::CreateCompatibleDC(nullptr);
    return dc;
  }

  HDC dc_;
  HGDIOBJ old_;
  TEXTMETRICW metrics_ = {};
};

SIZE ClientSize(HWND window) {
  RECT client = {};
  ::GetClientRect(window, &client);
  return {client.right, client.bottom};
}

void Report(Findings& findings, HWND window, const std::wstring& what) {
  findings.push_back(Describe(window) + L": " + what);
}

void CheckFits(Findings& findings, HWND window, const std::wstring& text, int needed,
               int available) {
  if (needed > available) {
    Report(findings, window,
           L"'" + text + L"' needs " + std::to_wstring(needed) + L" px, has " +
               std::to_wstring(available));
  }
}

void CheckEdit(HWND edit, Findings& findings) {
  const Measure measure(edit);
  const SIZE client = ClientSize(edit);
  const auto margins = static_cast<DWORD>(Ask(edit, EM_GETMARGINS));
  const int available = client.cx - LOWORD(margins) - HIWORD(margins) - 2;
  const std::wstring text = TextOf(edit);
  if (!(Style(edit) & ES_MULTILINE)) {
    CheckFits(findings, edit, text, measure.Width(text), available);
    if (measure.LineHeight() > client.cy) Report(findings, edit, L"lower than its text");
    return;
  }
  // Each line as the box breaks it.
  const auto lines = static_cast<int>(Ask(edit, EM_GETLINECOUNT));
  for (int line = 0; line < lines; ++line) {
    const auto start = static_cast<int>(Ask(edit, EM_LINEINDEX, line));
    const auto length = static_cast<int>(Ask(edit, EM_LINELENGTH, start));
    if (start < 0 || start > static_cast<int>(text.size())) break;
    const std::wstring shown = text.substr(start, length);
    CheckFits(findings, edit, shown, measure.Width(shown), available);
  }
  if (!text.empty() && lines <= kLinesShownWhole && lines * measure.LineHeight() > client.cy) {
    Report(findings, edit,
           L"shows " + std::to_wstring(client.cy / measure.LineHeight()) + L" of its " +
               std::to_wstring(lines) + L" lines");
  }
}

void CheckStatic(HWND label, Findings& findings) {
  const std::wstring text = TextOf(label);
  if (text.empty() || IsDecoration(label)) return;
  const Measure measure(label);
  const SIZE client = ClientSize(label);
  CheckFits(findings, label, text, measure.Width(text), client.cx);
  if (measure.LineHeight() > client.cy) Report(findings, label, L"lower than its text");
}

void CheckButton(HWND button, Findings& findings) {
  const std::wstring text = TextOf(button);
  const Measure measure(button);
  const SIZE client = ClientSize(button);
  const LONG type = Style(button) & BS_TYPEMASK;
  if (type == BS_GROUPBOX) return;
  const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                   type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
  // A push button's caption keeps clear of its edges; a check box's follows its box.
  const int around = box ? ::GetSystemMetrics(SM_CXMENUCHECK) + 6 : 10;
  CheckFits(findings, button, text, measure.Width(text) + around, client.cx);
  if (measure.LineHeight() + (box ? 0 : 4) > client.cy) {
    Report(findings, button, L"lower than its text");
  }
}

// The entries of a list, read once: they do not change while the bench runs.
std::vector<std::wstring> EntriesOf(HWND list, UINT count, UINT length, UINT text) {
  static std::map<HWND, std::vector<std::wstring>> known;
  auto found = known.find(list);
  if (found != known.end()) return found->second;
  std::vector<std::wstring> entries;
  const auto entriesCount = static_cast<int>(Ask(list, count));
  for (int index = 0; index < entriesCount; ++index) {
    const auto size = static_cast<int>(Ask(list, length, index));
    std::wstring entry(size + 1, L'\0');
    Ask(list, text, index, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(size);
    entries.push_back(entry);
  }
  known[list] = entries;
  return entries;
}

void CheckComboBox(HWND combo, Findings& findings) {
  const Measure measure(combo);
  const SIZE client = ClientSize(combo);
  const int arrow = ::GetSystemMetrics(SM_CXVSCROLL);
  // The entry shown in the closed box, and every entry of the dropped list.
  const std::wstring shown = TextOf(combo);
  CheckFits(findings, combo, shown, measure.Width(shown) + arrow + 6, client.cx);
  const auto dropped = static_cast<int>(Ask(combo, CB_GETDROPPEDWIDTH));
  for (const std::wstring& entry : EntriesOf(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT)) {
    CheckFits(findings, combo, L"drop-down entry " + entry, measure.Width(entry) + arrow + 6,
              std::max<int>(dropped, client.cx));
  }
}

void CheckListBox(HWND list, Findings& findings) {
  if (Style(list) & WS_HSCROLL) Report(findings, list, L"shows a horizontal scroll bar");
  const Measure measure(list);
  const SIZE client = ClientSize(list);
  for (const std::wstring& entry : EntriesOf(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT)) {
    CheckFits(findings, list, entry, measure.Width(entry) + 4, client.cx);
  }
}

// A picker shows the date or the time in the user's format; measured on a wide example.
void CheckPicker(HWND picker, Findings& findings) {
  SYSTEMTIME example = {2028, 12, 0, 28, 18, 58, 58, 0};
  wchar_t text[64] = {};
  if ((Style(picker) & DTS_TIMEFORMAT) == DTS_TIMEFORMAT) {
    ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &example, nullptr, text, 64);
  } else {
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &example, nullptr, text, 64);
  }
  const Measure measure(picker);
  const int button = ::GetSystemMetrics(SM_CXVSCROLL);
  CheckFits(findings, picker, text, measure.Width(text) + button + 12, ClientSize(picker).cx);
}

// The grid's columns fill its width and no more: no sideways scrolling.
void CheckGrid(HWND grid, Findings& findings) {
  HWND header = reinterpret_cast<HWND>(Ask(grid, LVM_GETHEADER));
  const auto columns = header ? static_cast<int>(Ask(header, HDM_GETITEMCOUNT)) : 0;
  int total = 0;
  for (int column = 0; column < columns; ++column) {
    total += static_cast<int>(Ask(grid, LVM_GETCOLUMNWIDTH, column));
  }
  if (total > ClientSize(grid).cx) {
    Report(findings, grid,
           L"columns " + std::to_wstring(total) + L" px wide in " +
               std::to_wstring(ClientSize(grid).cx));
  }
}

// A row of tabs shows every tab: when they do not fit, the row scrolls with arrows of its
// own, and a tab is out of sight.
void CheckTabs(HWND tabs, Findings& findings) {
  for (HWND child = ::GetWindow(tabs, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::IsWindowVisible(child) && Is(child, UPDOWN_CLASSW)) {
      Report(findings, tabs, L"tabs out of sight behind its arrows");
    }
  }
}

std::vector<HWND> VisibleChildren(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::IsWindowVisible(child)) children.push_back(child);
  }
  return children;
}

}  // namespace

void CheckText(HWND control, Findings& findings) {
  if (Is(control, L"Edit")) {
    CheckEdit(control, findings);
  } else if (Is(control, L"Static")) {
    CheckStatic(control, findings);
  } else if (Is(control, L"Button")) {
    CheckButton(control, findings);
  } else if (Is(control, L"ComboBox")) {
    CheckComboBox(control, findings);
  } else if (Is(control, L"ListBox")) {
    CheckListBox(control, findings);
  } else if (Is(control, DATETIMEPICK_CLASSW)) {
    CheckPicker(control, findings);
  } else if (Is(control, WC_LISTVIEWW)) {
    CheckGrid(control, findings);
  } else if (Is(control, WC_TABCONTROLW)) {
    CheckTabs(control, findings);
  }
}

void CheckChildrenPlaced(HWND parent, Findings& findings) {
  RECT area = {};
  ::GetClientRect(parent, &area);
  ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
  const std::vector<HWND> children = VisibleChildren(parent);
  for (size_t i = 0; i < children.size(); ++i) {
    RECT rect = {};
    ::GetWindowRect(children[i], &rect);
    RECT inside = {};
    ::IntersectRect(&inside, &rect, &area);
    if (!::EqualRect(&inside, &rect)) {
      Report(findings, children[i], L"reaches outside " + Describe(parent));
    }
    if (IsDecoration(children[i])) continue;
    for (size_t j = i + 1; j < children.size(); ++j) {
      if (IsDecoration(children[j])) continue;
      RECT other = {};
      ::GetWindowRect(children[j], &other);
      RECT common = {};
      if (::IntersectRect(&common, &rect, &other)) {
        Report(findings, children[i], L"overlaps " + Describe(children[j]));
      }
    }
  }
}

void CheckChildrenTexts(HWND parent, Findings& findings) {
  for (HWND child : VisibleChildren(parent)) CheckText(child, findings);
}

void CheckControls(HWND parent, Findings& findings) {
  CheckChildrenPlaced(parent, findings);
  CheckChildrenTexts(parent, findings);
}

}  // namespace orn::ui
