// TfmRep (fmuRep), entry "Fiscal Reports": X and Z reports, and fiscal-memory reports by
// shift numbers or dates. Each date picker fills the field beside it.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmRepClass;

namespace {

constexpr const wchar_t* kReportTypes[] = {L"FPTR_RT_ORDINAL", L"FPTR_RT_DATE"};

constexpr int kNumberW = 96;
constexpr int kPickerX = kFieldX + kNumberW + 6;
constexpr int kPickerW = 104;
constexpr int kTodayX = kPickerX + kPickerW + 4;
constexpr int kButtonW = 166;

constexpr ControlLayout DateRow(const wchar_t* picker, int row) {
  return {Kind::Date, picker, nullptr, L"", kPickerX, RowY(row), kPickerW, 0};
}
constexpr ControlLayout TodayButton(const wchar_t* name, int row) {
  return {Kind::Tool, name, nullptr, L"...", kTodayX, RowY(row), 22, 21};
}

constexpr ControlLayout kControls[] = {
    Field(L"edtReportType", L"ReportType:", L"1", 0, kPairFieldW),
    List(L"cbReportType", nullptr, kReportTypes, 1, 0),
    Field(L"edtStartNum", L"StartNum:", L"0", 2, kNumberW),
    DateRow(L"dtpStart", 2),
    TodayButton(L"btnStartDate", 2),
    Field(L"edtEndNum", L"EndNum:", L"0", 3, kNumberW),
    DateRow(L"dtpEnd", 3),
    TodayButton(L"btnEndDate", 3),
    Field(L"edtDate1", L"Date1:", L"0", 4, kNumberW),
    DateRow(L"dtpDate1", 4),
    TodayButton(L"btnDate1", 4),
    Field(L"edtDate2", L"Date2:", L"0", 5, kNumberW),
    DateRow(L"dtpDate2", 5),
    TodayButton(L"btnDate2", 5),
    PushAt(L"btnPrintReport", L"PrintReport", kLabelX, RowY(6) + 10, kButtonW),
    PushAt(L"btnPrintXReport", L"PrintXReport", kLabelX + kButtonW + 6, RowY(6) + 10, kButtonW),
    PushAt(L"btnPrintZReport", L"PrintZReport", kLabelX, RowY(7) + 14, kButtonW),
    PushAt(L"btnPrintPeriodicTotalsReport", L"PrintPeriodicTotalsReport", kLabelX + kButtonW + 6,
           RowY(7) + 14, kButtonW),
};

// Each picker, its "..." button and the field it fills.
struct DateField {
  const wchar_t* picker;
  const wchar_t* today;
  const wchar_t* field;
};
constexpr DateField kDateFields[] = {
    {L"dtpStart", L"btnStartDate", L"edtStartNum"},
    {L"dtpEnd", L"btnEndDate", L"edtEndNum"},
    {L"dtpDate1", L"btnDate1", L"edtDate1"},
    {L"dtpDate2", L"btnDate2", L"edtDate2"},
};

class TfmRep : public TPage {
 public:
  TfmRep(HWND parent, TDriver& driver) : TPage(parent, driver, TfmRepClass, kControls) {}

 private:
  void OnClick(const std::wstring& name) override {
    for (const DateField& date : kDateFields) {
      if (name != date.today) continue;
      SYSTEMTIME today;
      ::GetLocalTime(&today);
      SetPickedTime(date.picker, today);
      SetText(date.field, FormatOposDate(ToCalendar(today)));
      return;
    }
    if (name == L"btnPrintReport") {
      Call([this] {
        const int32_t reportType = IntegerOf(L"edtReportType");
        return Printer().PrintReport(reportType, Text(L"edtStartNum"), Text(L"edtEndNum"));
      });
    } else if (name == L"btnPrintXReport") {
      Call([this] { return Printer().PrintXReport(); });
    } else if (name == L"btnPrintZReport") {
      Call([this] { return Printer().PrintZReport(); });
    } else if (name == L"btnPrintPeriodicTotalsReport") {
      Call([this] {
        return Printer().PrintPeriodicTotalsReport(Text(L"edtDate1"), Text(L"edtDate2"));
      });
    }
  }

  void OnChange(const std::wstring& name) override {
    for (const DateField& date : kDateFields) {
      if (name == date.picker) {
        SetText(date.field, FormatOposDate(ToCalendar(PickedTime(date.picker))));
      }
    }
  }
};

}  // namespace

const PageClass TfmRepClass = {L"Fiscal Reports", L"TfmRep", CreatePage<TfmRep>};

}  // namespace orn::bench
