// TfmSetDate (fmuSetDate), entry "SetDate": sets the register's date and time; the pickers
// fill the date text, which is sent as it stands, also when typed by hand.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmSetDateClass;

namespace {

// The pickers show a whole date and a whole time, each with its "..." button beside it.
constexpr int kDateW = 110;
constexpr int kTimeW = 90;

constexpr ControlLayout kControls[] = {
    Field(L"edtDateType", L"DateType:", L"4", 0, kPairFieldW),
    List(L"cbDateType", nullptr, kDateTypes, 1, 0),
    Field(L"edtDate", L"Date:", L"", 2),
    {Kind::Date, L"dtpDate", nullptr, L"", kFieldX, RowY(3), kDateW, 0},
    {Kind::Tool, L"btnCurrDate", nullptr, L"...", kFieldX + kDateW + 4, RowY(3), 22, 21},
    {Kind::Time, L"dtpTime", nullptr, L"", kFieldX, RowY(4), kTimeW, 0},
    {Kind::Tool, L"btnCurrTime", nullptr, L"...", kFieldX + kTimeW + 4, RowY(4), 22, 21},
    Execute(L"SetDate", 5, L"btnSetDate"),
};

SYSTEMTIME Today() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return now;
}

class TfmSetDate : public TPage {
 public:
  TfmSetDate(HWND parent, TDriver& driver) : TPage(parent, driver, TfmSetDateClass, kControls) {
    AddHint(L"btnCurrDate", L"Текущая дата");
    AddHint(L"btnCurrTime", L"Текущее время");
    SYSTEMTIME designed = Today();
    designed.wHour = 18;
    designed.wMinute = 1;
    designed.wSecond = 0;
    SetPickedTime(L"dtpTime", designed);
    SetToday();
  }

 private:
  void OnClick(const std::wstring& name) override {
    if (name == L"btnCurrDate") {
      SetToday();
    } else if (name == L"btnCurrTime") {
      SetPickedTime(L"dtpTime", Today());
      ShowPickedDate();
    } else if (name == L"btnSetDate") {
      Call([this] {
        Printer().SetInteger(pidDateType, IntegerOf(L"edtDateType"));
        return Printer().SetDate(Text(L"edtDate"));
      });
    }
  }

  void OnChange(const std::wstring& name) override {
    if (name == L"dtpDate" || name == L"dtpTime") ShowPickedDate();
  }

  // Today in the date picker, and today at 00:00 in the text.
  void SetToday() {
    const SYSTEMTIME today = Today();
    SetPickedTime(L"dtpDate", today);
    CalendarTime midnight = ToCalendar(today);
    midnight.hour = 0;
    midnight.minute = 0;
    SetText(L"edtDate", FormatOposDateTime(midnight));
  }

  void ShowPickedDate() {
    CalendarTime picked = ToCalendar(PickedTime(L"dtpDate"));
    const CalendarTime time = ToCalendar(PickedTime(L"dtpTime"));
    picked.hour = time.hour;
    picked.minute = time.minute;
    SetText(L"edtDate", FormatOposDateTime(picked));
  }
};

}  // namespace

const PageClass TfmSetDateClass = {L"SetDate", L"TfmSetDate", CreatePage<TfmSetDate>};

}  // namespace orn::bench
