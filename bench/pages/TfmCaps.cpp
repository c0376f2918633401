// TfmCaps (fmuCaps), entry "Свойства": every property in a grid; the value of a writable one
// is written as it is typed.

#include <windows.h>

#include <commctrl.h>

#include "../DriverText.h"
#include "../PropertyNames.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmCapsClass;

namespace {

constexpr ControlLayout kControls[] = {
    {Kind::Grid, L"Grid", nullptr, L"", kLabelX, 8, 360, 240},
    {Kind::ReadOnly, L"edtValue", L"Значение:", L"", 70, 256, 200, 0},
    {Kind::Tool, L"btnRefresh", nullptr, L"Обновить", 280, 255, 88, 0},
};

class TfmCaps : public TPage {
 public:
  TfmCaps(HWND parent, TDriver& driver) : TPage(parent, driver, TfmCapsClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    const HWND grid = Control(L"Grid");
    ::EnableWindow(Control(L"btnRefresh"), FALSE);
    ListView_DeleteAllItems(grid);
    try {
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
        ListView_SetItemText(grid, row, 2, value.data());
        ++row;
      }
    } catch (...) {
      ::EnableWindow(Control(L"btnRefresh"), TRUE);
      throw;
    }
    FitLastColumn();
    ::EnableWindow(Control(L"btnRefresh"), TRUE);
  }

  // The value of the chosen row; editable (white) only for a writable property.
  void OnGridRow(const std::wstring&, int row) override {
    wchar_t name[64] = {};
    wchar_t value[1024] = {};
    ListView_GetItemText(Control(L"Grid"), row, 1, name, 64);
    ListView_GetItemText(Control(L"Grid"), row, 2, value, 1024);
    selected_ = name;
    SetText(L"edtValue", value);
    ::SendMessageW(Control(L"edtValue"), EM_SETREADONLY, !IsWritableProperty(selected_), 0);
  }

  // Each change the user makes is written at once; the grid shows it after a refresh.
  void OnChange(const std::wstring& name) override {
    if (name != L"edtValue" || !IsWritableProperty(selected_)) return;
    Printer().WritePropertyByName(selected_, DriverTextOf(L"edtValue"));
    NotifyResult(0);
  }

  void OnResize(int, int) override { FitLastColumn(); }

  // The last column takes what the first two leave of the grid's client width.
  void FitLastColumn() {
    const HWND grid = Control(L"Grid");
    RECT client;
    ::GetClientRect(grid, &client);
    const int used = ListView_GetColumnWidth(grid, 0) + ListView_GetColumnWidth(grid, 1);
    ListView_SetColumnWidth(grid, 2, client.right - used);
  }

  std::wstring selected_;
};

}  // namespace

const PageClass TfmCapsClass = {L"Свойства", L"TfmCaps", CreatePage<TfmCaps>};

}  // namespace orn::bench
