// TfmGetDate (fmuGetDate), entry "GetDate": reads one of the register's dates; the field,
// not the list, decides the date type.

#include "../DriverText.h"
#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmGetDateClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtDateType", L"DateType:", L"4", 0, kPairFieldW),
    List(L"cbDateType", nullptr, kDateTypes, 1, 0),
    Field(L"edtDate", L"Date:", L"", 2),
    Execute(L"GetDate", 3, L"btnGetDate"),
};

class TfmGetDate : public TPage {
 public:
  TfmGetDate(HWND parent, TDriver& driver) : TPage(parent, driver, TfmGetDateClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      Printer().SetInteger(pidDateType, IntegerOf(L"edtDateType"));
      std::wstring date;
      const int32_t code = Printer().GetDate(date);
      SetText(L"edtDate", FromDriverText(date));
      return code;
    });
  }
};

}  // namespace

const PageClass TfmGetDateClass = {L"GetDate", L"TfmGetDate", CreatePage<TfmGetDate>};

}  // namespace orn::bench
