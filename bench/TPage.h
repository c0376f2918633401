#pragma once
// untPages: the page base. A page is a borderless child window of the main window's data
// panel; its controls come from a table (kind, name, label, default, position), so that a
// page's source holds its table and what its buttons do. TPage runs the call protocol every
// page follows and reports to the main window through OnCallStart and OnCallResult.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>

#include "FieldConversion.h"
#include "TOPOSFiscalPrinter.h"

namespace orn::bench {

enum class Kind {
  Label,        // a fixed text
  Edit,         // a one-line field with its label to the left
  ReadOnly,     // the same, not editable, no tab stop
  Memo,         // a multi-line field with its label above
  CourierMemo,  // the same in a fixed-pitch font
  List,         // a drop-down list with its label to the left
  Check,        // a check box; `selected` 1 ticks it
  Button,       // a button that calls the control: disabled while a call runs
  Tool,         // a button that only fills fields
  Date,         // a date picker (drop-down calendar)
  Time,         // a time picker
  Grid,         // a three-column grid
};

using Items = std::span<const wchar_t* const>;

struct ControlLayout {
  Kind kind;
  const wchar_t* name;   // the control's name in the code, or nullptr for a label
  const wchar_t* label;  // its label, or nullptr
  const wchar_t* text;   // caption or default text
  int x, y, w, h;        // h 0: the kind's usual height
  Items items = {};      // entries of a drop-down list
  int selected = -1;     // entry selected when the page is created; 1 ticks a check box
};

// The grid of page layouts: a label column at the left, fields from kFieldX, rows of kRowH.
constexpr int kLabelX = 8;
constexpr int kFieldX = 140;
constexpr int kFieldW = 220;
constexpr int kRowH = 26;
constexpr int RowY(int row) {
  return 10 + row * kRowH;
}
// A field paired with a list: the narrow field, then the list on the same row.
constexpr int kPairFieldW = 50;
constexpr int kPairListX = kFieldX + kPairFieldW + 6;
constexpr int kPairListW = kFieldW - kPairFieldW - 6;

constexpr ControlLayout Field(const wchar_t* name, const wchar_t* label, const wchar_t* text,
                              int row, int w = kFieldW) {
  return {Kind::Edit, name, label, text, kFieldX, RowY(row), w, 0};
}
constexpr ControlLayout ReadOnlyField(const wchar_t* name, const wchar_t* label, int row,
                                      int w = kFieldW) {
  return {Kind::ReadOnly, name, label, L"", kFieldX, RowY(row), w, 0};
}
constexpr ControlLayout List(const wchar_t* name, const wchar_t* label, Items items, int row,
                             int selected = -1, int x = kFieldX, int w = kFieldW) {
  return {Kind::List, name, label, L"", x, RowY(row), w, 0, items, selected};
}
constexpr ControlLayout Check(const wchar_t* name, const wchar_t* caption, int row, int x = kFieldX,
                              bool ticked = false, int w = kFieldW) {
  return {Kind::Check, name, nullptr, caption, x, RowY(row), w, 0, {}, ticked ? 1 : -1};
}
constexpr ControlLayout Push(const wchar_t* name, const wchar_t* caption, int x, int y, int w) {
  return {Kind::Button, name, nullptr, caption, x, y, w, 0};
}
// The one button of a single-method page, under its fields.
constexpr ControlLayout Execute(const wchar_t* caption, int row,
                                const wchar_t* name = L"btnExecute") {
  return {Kind::Button, name, nullptr, caption, kFieldX, RowY(row) + 6, kFieldW, 0};
}

class TPage;
class TDriver;
struct PageClass {
  const wchar_t* pageName;  // GetPageName: the entry in its list
  const wchar_t* className;
  TPage* (*create)(HWND parent, TDriver& driver);
};

// The virtual constructor: every page is made from its class record alone.
template <class Page>
TPage* CreatePage(HWND parent, TDriver& driver) {
  return new Page(parent, driver);
}

class TPage {
 public:
  TPage(HWND parent, TDriver& driver, const PageClass& pageClass,
        std::span<const ControlLayout> controls);
  virtual ~TPage();
  TPage(const TPage&) = delete;
  TPage& operator=(const TPage&) = delete;

  std::function<void()> OnCallStart;
  std::function<void(int32_t)> OnCallResult;

  HWND Handle() const { return window_; }
  const wchar_t* GetPageName() const { return class_.pageName; }
  // Called once by the main window right after creating the page.
  virtual void AfterCreate() {}
  // Keeps the page filling the data panel.
  void Resize(int width, int height);

  static void RegisterWindowClass(HINSTANCE instance);

 protected:
  TOPOSFiscalPrinter& Printer() { return driver_.Printer(); }
  void NotifyStart();
  void NotifyResult(int32_t code);

  // What the controls do; each runs inside the protection of HandleEvent.
  virtual void OnClick(const std::wstring& /*name*/) {}
  // A text typed by the user, a date or time picked (not a change made by the program).
  virtual void OnChange(const std::wstring& /*name*/) {}
  virtual void OnSelect(const std::wstring& name);
  virtual void OnResize(int /*width*/, int /*height*/) {}
  // A row chosen in a grid, from 0.
  virtual void OnGridRow(const std::wstring& /*name*/, int /*row*/) {}
  virtual void EnableButtons(bool enabled);

  // The call protocol: buttons off, NotifyStart, the work (properties, fields, the method),
  // NotifyResult with the method's code, buttons on again even after an error, whose
  // message is then shown.
  void Call(const std::function<int32_t()>& work);
  // The protocol's frame alone (buttons off, on again, the error shown), for operations that
  // notify by themselves.
  void RunProtocol(const std::function<void()>& operation);

  HWND Control(const std::wstring& name) const;
  std::wstring Text(const std::wstring& name) const;
  void SetText(const std::wstring& name, const std::wstring& text);
  int32_t IntegerOf(const std::wstring& name) const;
  int64_t AmountOf(const std::wstring& name) const;
  std::wstring DriverTextOf(const std::wstring& name) const;
  int Position(const std::wstring& name) const;      // from 1; 0 when nothing is selected
  void Select(const std::wstring& name, int index);  // -1 clears the selection
  bool Checked(const std::wstring& name) const;
  void SetChecked(const std::wstring& name, bool checked);
  SYSTEMTIME PickedTime(const std::wstring& name) const;
  void SetPickedTime(const std::wstring& name, const SYSTEMTIME& time);
  // A tip shown when the pointer rests on the control.
  void AddHint(const std::wstring& name, const wchar_t* hint);
  // Writes PreLine and PostLine from edtPreLine and edtPostLine where the page has them.
  void WriteLineTexts();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls(std::span<const ControlLayout> controls);
  void HandleEvent(const std::function<void()>& handler);
  std::wstring NameOf(HWND control) const;

  HWND window_ = nullptr;
  TDriver& driver_;
  const PageClass& class_;
  std::map<std::wstring, HWND> controls_;
  std::map<HWND, Kind> kinds_;
  HWND hints_ = nullptr;
  bool programChange_ = false;  // set while the program itself fills a field
};

inline CalendarTime ToCalendar(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute};
}

// Shows a bench error the way every page does: a box with the application title.
void ShowError(HWND owner, const std::wstring& message);
extern const wchar_t kApplicationTitle[];

}  // namespace orn::bench
