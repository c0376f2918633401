#pragma once
// Drives a running OrnBench from another process as a person's input arrives: finds its
// windows and controls by the names the bench tags them with, types into fields character
// by character, chooses list entries, presses buttons, reads texts back, and handles the
// bench's message boxes. Every wait has a bound.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace orn::ui {

class UiDriver {
 public:
  // Starts the program on the given desktop and waits for its main window.
  UiDriver(const std::wstring& commandLine, const std::wstring& desktop);
  ~UiDriver();
  UiDriver(const UiDriver&) = delete;
  UiDriver& operator=(const UiDriver&) = delete;

  bool Started() const { return main_ != nullptr; }
  HWND Main() const { return main_; }

  // A control of the main window (result panel, page lists) or of the page now shown.
  HWND MainControl(const std::wstring& name) const;
  // A control of the result panel (its btnClose is "Закрыть", not the page's "Close").
  HWND PanelControl(const std::wstring& name) const;
  HWND PageControl(const std::wstring& name) const;
  // The class name of the page now shown ("TfmCommon", ...).
  std::wstring ShownPage() const;
  // The names of the page's controls a person can use: visible and enabled, not texts.
  std::vector<std::wstring> PageControlNames() const;

  void ChooseTab(int index);  // 0 "Общие", 1 "Чек"
  // A tab of a page's own row of tabs, from 0, as the arrow keys choose it.
  void ChooseTabOf(HWND tabs, int index);
  void ChoosePage(const std::wstring& listBox, int index);
  void Type(HWND field, const std::wstring& text);
  void Choose(HWND list, const std::wstring& entry);
  void Press(HWND button);  // also ticks and clears check boxes
  std::wstring TextOf(HWND window) const;
  bool Enabled(HWND window) const { return ::IsWindowEnabled(window) != FALSE; }
  bool Checked(HWND box) const;
  int Selection(HWND list) const;
  std::vector<std::wstring> ListBoxEntries(HWND list) const;

  // The message box the bench shows now, if any: its text; empty when there is none.
  std::wstring MessageBoxText() const;
  void CloseMessageBox();
  // The bench's top-level window with this name tag (the about box), or null.
  HWND TopLevel(const std::wstring& name) const;

  bool Exited(DWORD timeoutMs);
  RECT WindowRect(HWND window) const;

  // The window that has the keyboard focus in the bench, or null.
  HWND Focus() const;
  // A key pressed and released: it reaches the focused window through the bench's own
  // message loop, as the keyboard's does (Tab, Enter, the arrows, F2).
  void Key(WORD virtualKey);
  // Characters typed one at a time into the focused window, each handled before the next;
  // `afterEach` runs after every one.
  void TypeKeys(HWND field, const std::wstring& text, const std::function<void()>& afterEach);
  // A click of the left mouse button at the centre of a window, or on a list box entry.
  void Click(HWND window);
  void ClickListEntry(HWND list, int index);

  // The main window as the window manager's buttons and a dragged border leave it.
  void Maximise();
  void Restore();
  void ResizeTo(int width, int height);  // the window's outer size; the bench keeps its minimum

 private:
  // Waits until the bench has handled every message sent before (or shows a modal box).
  void WaitIdle() const;
  // Waits until the bench has handled every message posted before: a marker posted after
  // them is seen once the bench's loop has reached it.
  void WaitPosted() const;
  void WaitSizeSettled() const;
  HWND FindMessageBox() const;

  PROCESS_INFORMATION process_ = {};
  HWND main_ = nullptr;
};

// The name tag of a window ("" when it has none).
std::wstring NameOf(HWND window);

}  // namespace orn::ui
