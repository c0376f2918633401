// TfmGetTot (fmuGetTot), entry "GetToalizer": one totalizer of the register. The type list
// is shown for reference only: the call takes VatID and OptArgs, and TotalizerType is left
// as the control holds it.

#include "../DriverText.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmGetTotClass;

namespace {

constexpr const wchar_t* kTotalizerTypes[] = {L"FPTR_TT_DOCUMENT", L"FPTR_TT_DAY",
                                              L"FPTR_TT_RECEIPT", L"FPTR_TT_GRAND"};

constexpr ControlLayout kControls[] = {
    Field(L"edtVatID", L"VatID:", L"0", 0),
    Field(L"edtOptArgs", L"OptArgs:", L"0", 1),
    Field(L"edtData", L"Data:", L"", 2),
    List(L"cbTotalizerType", L"TotalizerType:", kTotalizerTypes, 3),
    Execute(L"GetTotalizer", 4, L"btnGetTotalizer"),
};

class TfmGetTot : public TPage {
 public:
  TfmGetTot(HWND parent, TDriver& driver) : TPage(parent, driver, TfmGetTotClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      const int32_t vatId = IntegerOf(L"edtVatID");
      const int32_t optArgs = IntegerOf(L"edtOptArgs");
      std::wstring data;
      const int32_t code = Printer().GetTotalizer(vatId, optArgs, data);
      SetText(L"edtData", FromDriverText(data));
      return code;
    });
  }
};

}  // namespace

const PageClass TfmGetTotClass = {L"GetToalizer", L"TfmGetTot", CreatePage<TfmGetTot>};

}  // namespace orn::bench
