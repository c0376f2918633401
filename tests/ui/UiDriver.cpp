#include "UiDriver.h"

#include <commctrl.h>

namespace orn::ui {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr UINT kIdleTimeoutMs = 60000;

struct Search {
  DWORD processId;
  std::wstring name;
  std::wstring className;  // matched instead of the name when set
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  if (processId != search.processId) return TRUE;
  if (search.visibleOnly && !::IsWindowVisible(window)) return TRUE;
  if (!search.className.empty()) {
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    if (search.className != className) return TRUE;
  } else if (NameOf(window) != search.name) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

HWND FindChild(HWND parent, DWORD processId, const std::wstring& name) {
  Search search = {processId, name, L"", false, nullptr};
  ::EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CollectStatic(HWND window, LPARAM context) {
  wchar_t className[32] = {};
  ::GetClassNameW(window, className, 32);
  if (lstrcmpiW(className, L"Static") != 0) return TRUE;
  wchar_t text[1024] = {};
  ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        nullptr);
  auto& texts = *reinterpret_cast<std::wstring*>(context);
  if (text[0]) texts += text;
  return TRUE;
}

}  // namespace

std::wstring NameOf(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(::GetPropW(window, L"OrnName")));
  if (!atom) return L"";
  wchar_t name[128] = {};
  ::GlobalGetAtomNameW(atom, name, 128);
  return name;
}

UiDriver::UiDriver(const std::wstring& commandLine, const std::wstring& desktop) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  std::wstring desktopName = desktop;
  startup.lpDesktop = desktopName.data();
  std::wstring line = commandLine;
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
    return;
  }
  ::WaitForInputIdle(process_.hProcess, kStartTimeoutMs);
  for (DWORD waited = 0; waited < kStartTimeoutMs && !main_; waited += 100) {
    Search search = {process_.dwProcessId, L"TfmMain", L"", true, nullptr};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    main_ = search.found;
    if (!main_) ::Sleep(100);
  }
}

UiDriver::~UiDriver() {
  if (process_.hProcess) {
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.hProcess, 1);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }
}

HWND UiDriver::MainControl(const std::wstring& name) const {
  return FindChild(main_, process_.dwProcessId, name);
}

HWND UiDriver::PanelControl(const std::wstring& name) const {
  return FindChild(MainControl(L"Panel1"), process_.dwProcessId, name);
}

HWND UiDriver::PageControl(const std::wstring& name) const {
  HWND panel = MainControl(L"pnlData");
  for (HWND page = ::GetWindow(panel, GW_CHILD); page; page = ::GetWindow(page, GW_HWNDNEXT)) {
    if (::IsWindowVisible(page)) return FindChild(page, process_.dwProcessId, name);
  }
  return nullptr;
}

std::wstring UiDriver::ShownPage() const {
  HWND panel = MainControl(L"pnlData");
  for (HWND page = ::GetWindow(panel, GW_CHILD); page; page = ::GetWindow(page, GW_HWNDNEXT)) {
    if (::IsWindowVisible(page)) return NameOf(page);
  }
  return L"";
}

std::vector<std::wstring> UiDriver::PageControlNames() const {
  std::vector<std::wstring> names;
  HWND panel = MainControl(L"pnlData");
  for (HWND page = ::GetWindow(panel, GW_CHILD); page; page = ::GetWindow(page, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(page)) continue;
    for (HWND control = ::GetWindow(page, GW_CHILD); control;
         control = ::GetWindow(control, GW_HWNDNEXT)) {
      const std::wstring name = NameOf(control);
      wchar_t className[16] = {};
      ::GetClassNameW(control, className, 16);
      if (!name.empty() && ::IsWindowVisible(control) && ::IsWindowEnabled(control) &&
          lstrcmpiW(className, L"Static") != 0) {
        names.push_back(name);
      }
    }
  }
  return names;
}

void UiDriver::WaitIdle() const {
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, kIdleTimeoutMs, &ignored);
}

void UiDriver::ChooseTab(int index) {
  ChooseTabOf(MainControl(L"PageControl"), index);
}

void UiDriver::ChooseTabOf(HWND tabs, int index) {
  // The arrow keys move between tabs as they do under a person's fingers.
  DWORD_PTR selected = 0;
  ::SendMessageTimeoutW(tabs, TCM_GETCURSEL, 0, 0, SMTO_NORMAL, 5000, &selected);
  const WPARAM key = static_cast<int>(selected) < index ? VK_RIGHT : VK_LEFT;
  for (int step = static_cast<int>(selected); step != index; step += key == VK_RIGHT ? 1 : -1) {
    ::SendNotifyMessageW(tabs, WM_KEYDOWN, key, 0);
    WaitIdle();
  }
}

void UiDriver::ChoosePage(const std::wstring& listBox, int index) {
  HWND list = MainControl(listBox);
  ::SendMessageTimeoutW(list, LB_SETCURSEL, index, 0, SMTO_NORMAL, 5000, nullptr);
  ::SendNotifyMessageW(::GetParent(list), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
  WaitIdle();
}

void UiDriver::Type(HWND field, const std::wstring& text) {
  // Select all, delete it, then one character at a time, as keys arrive.
  ::SendNotifyMessageW(field, EM_SETSEL, 0, -1);
  ::SendNotifyMessageW(field, WM_CHAR, VK_BACK, 0);
  for (wchar_t c : text) ::SendNotifyMessageW(field, WM_CHAR, c, 0);
  WaitIdle();
}

void UiDriver::Choose(HWND list, const std::wstring& entry) {
  DWORD_PTR index = 0;
  ::SendMessageTimeoutW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(entry.c_str()), SMTO_NORMAL, 5000, &index);
  ::SendMessageTimeoutW(list, CB_SETCURSEL, index, 0, SMTO_NORMAL, 5000, nullptr);
  ::SendNotifyMessageW(::GetParent(list), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(list), CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
  WaitIdle();
}

void UiDriver::Press(HWND button) {
  ::SendNotifyMessageW(button, BM_CLICK, 0, 0);
  WaitIdle();
}

std::wstring UiDriver::TextOf(HWND window) const {
  DWORD_PTR length = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length);
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, 5000, &copied);
  text.resize(copied);
  return text;
}

bool UiDriver::Checked(HWND box) const {
  DWORD_PTR state = 0;
  ::SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &state);
  return state == BST_CHECKED;
}

int UiDriver::Selection(HWND list) const {
  DWORD_PTR index = 0;
  ::SendMessageTimeoutW(list, CB_GETCURSEL, 0, 0, SMTO_NORMAL, 5000, &index);
  return static_cast<int>(index);
}

std::vector<std::wstring> UiDriver::ListBoxEntries(HWND list) const {
  std::vector<std::wstring> entries;
  DWORD_PTR count = 0;
  ::SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
  for (int index = 0; index < static_cast<int>(count); ++index) {
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(list, LB_GETTEXTLEN, index, 0, SMTO_NORMAL, 5000, &length);
    std::wstring entry(length + 1, L'\0');
    ::SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry.data()),
                          SMTO_NORMAL, 5000, nullptr);
    entry.resize(length);
    entries.push_back(entry);
  }
  return entries;
}

HWND UiDriver::FindMessageBox() const {
  Search search = {process_.dwProcessId, L"", L"#32770", true, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  // The about box is a dialog too; it carries its name.
  if (search.found && NameOf(search.found) == L"TfmAbout") return nullptr;
  return search.found;
}

std::wstring UiDriver::MessageBoxText() const {
  HWND box = FindMessageBox();
  if (!box) return L"";
  std::wstring text;
  ::EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
  return text.empty() ? L"(empty message box)" : text;
}

void UiDriver::CloseMessageBox() {
  HWND box = FindMessageBox();
  if (!box) return;
  ::SendNotifyMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  WaitIdle();
  for (int waited = 0; waited < 50 && FindMessageBox(); ++waited) ::Sleep(100);
}

HWND UiDriver::TopLevel(const std::wstring& name) const {
  Search search = {process_.dwProcessId, name, L"", true, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool UiDriver::Exited(DWORD timeoutMs) {
  return ::WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

RECT UiDriver::WindowRect(HWND window) const {
  RECT rect = {};
  ::GetWindowRect(window, &rect);
  return rect;
}

HWND UiDriver::Focus() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(main_, nullptr), &info);
  return info.hwndFocus;
}

void UiDriver::WaitPosted() const {
  // The result panel's time field is never edited by a person: its "modified" flag serves
  // as the marker. Posted messages are handled in order, so once the marker is set, every
  // key posted before it has been handled (inside a message box's loop too).
  HWND marker = PanelControl(L"edtTime");
  ::PostMessageW(marker, EM_SETMODIFY, TRUE, 0);
  for (UINT waited = 0; waited < kIdleTimeoutMs; waited += 5) {
    DWORD_PTR modified = 0;
    ::SendMessageTimeoutW(marker, EM_GETMODIFY, 0, 0, SMTO_NORMAL, 5000, &modified);
    if (modified) break;
    ::Sleep(1);
  }
  ::SendMessageTimeoutW(marker, EM_SETMODIFY, FALSE, 0, SMTO_NORMAL, 5000, nullptr);
  WaitIdle();
}

void UiDriver::Key(WORD virtualKey) {
  HWND target = Focus();
  if (!target) target = main_;
  const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  ::PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  ::PostMessageW(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
  WaitPosted();
}

void UiDriver::TypeKeys(HWND field, const std::wstring& text,
                        const std::function<void()>& afterEach) {
  ::SendNotifyMessageW(field, EM_SETSEL, 0, -1);
  ::SendNotifyMessageW(field, WM_CHAR, VK_BACK, 0);
  WaitIdle();
  for (wchar_t c : text) {
    ::PostMessageW(field, WM_CHAR, c, 1);
    WaitPosted();
    afterEach();
  }
}

void UiDriver::Click(HWND window) {
  RECT client = {};
  ::GetClientRect(window, &client);
  const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(window, WM_LBUTTONUP, 0, at);
  WaitPosted();
}

void UiDriver::ClickListEntry(HWND list, int index) {
  DWORD_PTR height = 0;
  DWORD_PTR top = 0;
  ::SendMessageTimeoutW(list, LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, 5000, &height);
  ::SendMessageTimeoutW(list, LB_GETTOPINDEX, 0, 0, SMTO_NORMAL, 5000, &top);
  const int y =
      (index - static_cast<int>(top)) * static_cast<int>(height) + static_cast<int>(height) / 2;
  const LPARAM at = MAKELPARAM(10, y);
  ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(list, WM_LBUTTONUP, 0, at);
  WaitPosted();
}

void UiDriver::WaitSizeSettled() const {
  // The window manager answers a size request in its own time: wait until the size has
  // stayed the same for a while.
  RECT last = WindowRect(main_);
  for (int stable = 0, waited = 0; stable < 4 && waited < 200; ++waited) {
    ::Sleep(50);
    WaitIdle();
    const RECT now = WindowRect(main_);
    stable = ::EqualRect(&now, &last) ? stable + 1 : 0;
    last = now;
  }
}

void UiDriver::Maximise() {
  ::PostMessageW(main_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  WaitPosted();
  WaitSizeSettled();
}

void UiDriver::Restore() {
  ::PostMessageW(main_, WM_SYSCOMMAND, SC_RESTORE, 0);
  WaitPosted();
  WaitSizeSettled();
}

void UiDriver::ResizeTo(int width, int height) {
  ::SetWindowPos(main_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  WaitPosted();
  WaitSizeSettled();
}

}  // namespace orn::ui
