#pragma once
// untPages: the page base. A page is a borderless child window of the main window's data
// panel; its controls come from a table (kind, name, label, default, position), so that a
// page's source holds its table and what its buttons do. TPage runs the call protocol every
// page follows and reports to the main window through OnCallStart and OnCallResult.
//
// The table's positions are those of the designed page. When the page is laid out, the
// field column starts right after the page's widest label (measured in the page's font),
// full-width fields and lists reach to the right margin (up to kFieldMaxW), and pages with a
// growing control (a grid, a long text) place it by OnResize; the whole page moves in one
// deferred batch.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "FieldConversion.h"
#include "TOPOSFiscalPrinter.h"

namespace orn::bench {

enum class Kind {
  Label,        // a fixed text
  Edit,         // a one-line field with its label to the left
  ReadOnly,     // the same, not editable, no tab stop
  Memo,         // a multi-line field with its label above
  CourierMemo,  // the same in a fixed-pitch font
  WrappedText,  // a fixed-pitch multi-line text whose long lines wrap
  List,         // a drop-down list with its label to the left
  Check,        // a check box; `selected` 1 ticks it
  Button,       // a button that calls the control: disabled while a call runs
  Tool,         // a button that only fills fields
  Date,         // a date picker (drop-down calendar)
  Time,         // a time picker
  Grid,         // a three-column grid
  ListBox,      // a list of entries, all in view
  Tabs,         // a row of tabs: each shows the controls of its section of the page
};

using Items = std::span<const wchar_t* const>;

struct ControlLayout {
  Kind kind;
  const wchar_t* name;   // the control's name in the code, or nullptr for a label
  const wchar_t* label;  // its label, or nullptr
  const wchar_t* text;   // caption or default text
  int x, y, w, h;        // h 0: the kind's usual height
  Items items = {};      // entries of a drop-down list; the tabs of a row of tabs
  int selected = -1;     // entry selected when the page is created; 1 ticks a check box
  bool pinned = false;   // x is from the page's left edge, not in the field column
  int section = 0;       // 0: always shown; n: shown while tab n (from 1) is chosen
};

// The grid of page layouts: a label column at the left, fields from kFieldX, rows of kRowH.
constexpr int kLabelX = 8;
constexpr int kFieldX = 140;
constexpr int kFieldW = 220;
constexpr int kRowH = 26;
constexpr int RowY(int row) {
  return 10 + row * kRowH;
}
// The page's right and bottom margin, and the widest a stretched field grows.
constexpr int kMargin = 8;
constexpr int kFieldMaxW = 440;
// A field paired with a list: the narrow field, and the list under it in the next row, as
// wide as a full field, so that its longest entry can be read.
constexpr int kPairFieldW = 50;

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
// A button placed from the page's left edge, whatever the width of the labels.
constexpr ControlLayout PushAt(const wchar_t* name, const wchar_t* caption, int x, int y, int w) {
  return {Kind::Button, name, nullptr, caption, x, y, w, 0, {}, -1, true};
}
// The one button of a single-method page, under its fields.
constexpr ControlLayout Execute(const wchar_t* caption, int row,
                                const wchar_t* name = L"btnExecute") {
  return {Kind::Button, name, nullptr, caption, kFieldX, RowY(row) + 6, kFieldW, 0};
}

// A control shown only while tab `section` (from 1) of the page's tab row is chosen.
constexpr ControlLayout InSection(int section, ControlLayout layout) {
  layout.section = section;
  return layout;
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
  // Keeps the page filling the data panel: the page and its controls take their places
  // without drawing; the main window redraws what moved once it has all moved.
  void Resize(int width, int height);
  // The control that gets the focus when the page is chosen: its first field.
  HWND FirstField() const;
  // Enter in a field presses the page's default button (its first call button, or its
  // first button when it calls nothing), as a click would.
  void PressDefault();

  static void RegisterWindowClass(HINSTANCE instance);

 protected:
  TOPOSFiscalPrinter& Printer() { return driver_.Printer(); }
  TDriver& Driver() { return driver_; }
  void NotifyStart();
  void NotifyResult(int32_t code);

  // What the controls do; each runs inside the protection of HandleEvent.
  virtual void OnClick(const std::wstring& /*name*/) {}
  // A text typed by the user, a date or time picked (not a change made by the program).
  virtual void OnChange(const std::wstring& /*name*/) {}
  virtual void OnSelect(const std::wstring& name);
  // Places the growing controls (by Place) after the table's positions are taken.
  virtual void OnResize(int /*width*/, int /*height*/) {}
  void Place(const std::wstring& name, int x, int y, int w, int h);
  // A row chosen in a grid, from 0; any other notification of a grid.
  virtual void OnGridRow(const std::wstring& /*name*/, int /*row*/) {}
  virtual void OnGridNotify(const std::wstring& /*name*/, const NMHDR& /*header*/) {}
  // The focus leaving a field; Enter in a field that takes it (see TakeEnter).
  virtual void OnLeave(const std::wstring& /*name*/) {}
  virtual void OnEnter(const std::wstring& /*name*/) {}
  // After the controls have moved to their places.
  virtual void OnPlaced() {}
  // The main window has just shown the page.
  virtual void OnShow() {}
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
  // Shows the controls of section `section` (from 1) of the tab row, and those of no
  // section; hides the others with their labels.
  void ShowSection(int section);
  // A tip shown when the pointer rests on the control.
  void AddHint(const std::wstring& name, const wchar_t* hint);
  // Writes PreLine and PostLine from edtPreLine and edtPostLine where the page has them.
  void WriteLineTexts();
  // Lets a field (also one that is not the page's, such as a grid's cell editor) take Enter
  // and Escape for itself: they call OnEnter, and Escape `OnEscape` when given.
  void TakeEnter(HWND field, const std::wstring& name);
  virtual void OnEscape(const std::wstring& /*name*/) {}

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EnterFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR page);
  // One control of the table with its label.
  struct Entry {
    ControlLayout layout;
    HWND control;
    HWND label;  // or null
    RECT place;  // where the next layout puts it
  };

  void CreateControls(std::span<const ControlLayout> controls);
  void MeasureFieldColumn();
  RECT DesignedPlace(const ControlLayout& layout, int width) const;
  void HandleEvent(const std::function<void()>& handler);
  std::wstring NameOf(HWND control) const;

  HWND window_ = nullptr;
  TDriver& driver_;
  const PageClass& class_;
  std::vector<Entry> entries_;
  std::map<std::wstring, HWND> controls_;
  std::map<HWND, std::wstring> enterFields_;
  std::map<HWND, Kind> kinds_;
  HWND defaultButton_ = nullptr;
  HWND tabs_ = nullptr;  // the tab row, if the page has one
  int fieldShift_ = 0;   // the measured field column less the designed one
  HWND hints_ = nullptr;
  bool programChange_ = false;     // set while the program itself fills a field
  bool focusLeavesBench_ = false;  // set while a field loses focus to no control of ours
};

inline CalendarTime ToCalendar(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute};
}

// Shows a bench error the way every page does: a box with the application title.
void ShowError(HWND owner, const std::wstring& message);
extern const wchar_t kApplicationTitle[];

}  // namespace orn::bench
