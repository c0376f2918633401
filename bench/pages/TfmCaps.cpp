// TfmCaps (fmuCaps), entry "Свойства": every property in a grid whose cells can be edited;
// the value of a writable property is written from the value field.

#include <windows.h>

#include <commctrl.h>

#include "../ControlSetup.h"
#include "../DriverText.h"
#include "../PropertyNames.h"
#include "../TPage.h"
#include "../WritableProperties.h"

namespace orn::bench {

extern const PageClass TfmCapsClass;

namespace {

constexpr int kValueColumn = 2;
constexpr int kButtonW = 88;

constexpr ControlLayout kControls[] = {
    {Kind::Grid, L"Grid", nullptr, L"", kLabelX, 8, 360, 240},
    {Kind::ReadOnly, L"edtValue", L"Значение:", L"", 70, 256, 200, 0},
    {Kind::Button, L"btnRefresh", nullptr, L"Обновить", 280, 255, kButtonW, 0},
};

class TfmCaps : public TPage {
 public:
  TfmCaps(HWND parent, TDriver& driver) : TPage(parent, driver, TfmCapsClass, kControls) {
    TakeEnter(Control(L"edtValue"), L"edtValue");
    // The cell editor: a field of the grid itself, over the cell being edited.
    editor_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 10, 10,
                                Control(L"Grid"), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    SetBenchFont(editor_);
    TagWithName(editor_, L"GridEditor");
    TakeEnter(editor_, L"GridEditor");
  }

 private:
  void OnClick(const std::wstring&) override {
    RunProtocol([this] {
      const HWND grid = Control(L"Grid");
      EndCellEdit(false);
      ListView_DeleteAllItems(grid);
      int row = 0;
      for (const wchar_t* name : PropertyNames()) {
        std::wstring number = std::to_wstring(row + 1);
        std::wstring value = PropertyValueText(Printer(), name);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = number.data();
        ListView_InsertItem(grid, &item);
        ListView_SetItemText(grid, row, 1, const_cast<wchar_t*>(name));
        ListView_SetItemText(grid, row, kValueColumn, value.data());
        ++row;
      }
      FitLastColumn();
    });
  }

  // The value of the chosen row; editable (white) only for a writable property.
  void OnGridRow(const std::wstring&, int row) override {
    selected_ = CellText(row, 1);
    unwritten_ = false;
    SetText(L"edtValue", CellText(row, kValueColumn));
    ::SendMessageW(Control(L"edtValue"), EM_SETREADONLY, !IsWritableProperty(selected_), 0);
  }

  // A value the control can take is written as it is typed; any other text (half of "true",
  // say) waits for Enter or for the person to leave the field.
  void OnChange(const std::wstring& name) override {
    if (name != L"edtValue" || !IsWritableProperty(selected_)) return;
    unwritten_ = true;
    if (IsValueOfProperty(selected_, Text(L"edtValue"))) WriteValue();
  }

  void OnEnter(const std::wstring& name) override {
    if (name == L"GridEditor") {
      EndCellEdit(true);
    } else if (unwritten_) {
      WriteValue();
    }
  }

  void OnEscape(const std::wstring& name) override {
    if (name == L"GridEditor") EndCellEdit(false);
  }

  void OnLeave(const std::wstring& name) override {
    if (name == L"GridEditor") {
      EndCellEdit(true);
    } else if (name == L"edtValue" && unwritten_) {
      WriteValue();
    }
  }

  void WriteValue() {
    unwritten_ = false;
    Printer().WritePropertyByName(selected_, DriverTextOf(L"edtValue"));
    NotifyResult(0);
  }

  // F2 edits the value cell of the chosen row, a double click the cell clicked.
  void OnGridNotify(const std::wstring&, const NMHDR& header) override {
    const HWND grid = Control(L"Grid");
    if (header.code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_F2) {
      const int row = ListView_GetNextItem(grid, -1, LVNI_SELECTED);
      if (row >= 0) BeginCellEdit(row, kValueColumn);
    } else if (header.code == NM_DBLCLK) {
      const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
      if (click.iItem >= 0 && click.iSubItem > 0) BeginCellEdit(click.iItem, click.iSubItem);
    }
  }

  void BeginCellEdit(int row, int column) {
    const HWND grid = Control(L"Grid");
    RECT cell = {};
    ListView_GetSubItemRect(grid, row, column, LVIR_LABEL, &cell);
    editRow_ = row;
    editColumn_ = column;
    ::SetWindowTextW(editor_, CellText(row, column).c_str());
    // Inside the cell's grid lines, so that the row keeps its height.
    ::SetWindowPos(editor_, HWND_TOP, cell.left + 1, cell.top, cell.right - cell.left - 1,
                   cell.bottom - cell.top - 1, SWP_SHOWWINDOW);
    ::SendMessageW(editor_, EM_SETSEL, 0, -1);
    ::SetFocus(editor_);
  }

  // Typing in a cell changes only that cell: nothing is written to the control.
  void EndCellEdit(bool keep) {
    if (editRow_ < 0) return;
    const int row = editRow_;
    editRow_ = -1;
    if (keep) {
      std::wstring text(::GetWindowTextLengthW(editor_) + 1, L'\0');
      text.resize(::GetWindowTextW(editor_, text.data(), static_cast<int>(text.size())));
      ListView_SetItemText(Control(L"Grid"), row, editColumn_, text.data());
      if (ListView_GetNextItem(Control(L"Grid"), -1, LVNI_SELECTED) == row) OnGridRow(L"", row);
    }
    const bool editing = ::GetFocus() == editor_;
    ::ShowWindow(editor_, SW_HIDE);
    if (editing) ::SetFocus(Control(L"Grid"));
  }

  std::wstring CellText(int row, int column) const {
    wchar_t text[1024] = {};
    ListView_GetItemText(Control(L"Grid"), row, column, text, 1024);
    return text;
  }

  // The grid fills the page above the value field and the button.
  void OnResize(int width, int height) override {
    EndCellEdit(true);
    const int bottom = height - 32;
    Place(L"Grid", kLabelX, 8, width - kLabelX - kMargin, bottom - 16);
    const int valueX = kLabelX + TextWidth(Control(L"edtValue"), L"Значение:") + 6;
    const int buttonX = width - kMargin - kButtonW;
    Place(L"edtValue", valueX, bottom + 1, buttonX - 8 - valueX, 21);
    Place(L"btnRefresh", buttonX, bottom, kButtonW, 24);
  }

  void OnPlaced() override { FitLastColumn(); }

  // The last column takes what the first two leave of the grid's client width.
  void FitLastColumn() {
    const HWND grid = Control(L"Grid");
    RECT client;
    ::GetClientRect(grid, &client);
    const int used = ListView_GetColumnWidth(grid, 0) + ListView_GetColumnWidth(grid, 1);
    ListView_SetColumnWidth(grid, kValueColumn, client.right - used);
  }

  std::wstring selected_;
  bool unwritten_ = false;  // the value field holds a text not yet written
  HWND editor_ = nullptr;
  int editRow_ = -1;
  int editColumn_ = 0;
};

}  // namespace

const PageClass TfmCapsClass = {L"Свойства", L"TfmCaps", CreatePage<TfmCaps>};

}  // namespace orn::bench
