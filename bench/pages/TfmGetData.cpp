// TfmGetData (fmuGetData), entry "GetData": one data item of the register; the field, not
// the list, gives the item asked for.

#include "../DriverText.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmGetDataClass;

namespace {

constexpr const wchar_t* kDataItems[] = {L"FPTR_GD_CURRENT_TOTAL",
                                         L"FPTR_GD_DAILY_TOTAL",
                                         L"FPTR_GD_RECEIPT_NUMBER",
                                         L"FPTR_GD_REFUND",
                                         L"FPTR_GD_NOT_PAID",
                                         L"FPTR_GD_MID_VOID",
                                         L"FPTR_GD_Z_REPORT",
                                         L"FPTR_GD_GRAND_TOTAL",
                                         L"FPTR_GD_PRINTER_ID",
                                         L"FPTR_GD_FIRMWARE",
                                         L"FPTR_GD_RESTART",
                                         L"FPTR_GD_REFUND_VOID",
                                         L"FPTR_GD_NUMB_CONFIG_BLOCK",
                                         L"FPTR_GD_NUMB_CURRENCY_BLOCK",
                                         L"FPTR_GD_NUMB_HDR_BLOCK",
                                         L"FPTR_GD_NUMB_RESET_BLOCK",
                                         L"FPTR_GD_NUMB_VAT_BLOCK",
                                         L"FPTR_GD_FISCAL_DOC",
                                         L"FPTR_GD_FISCAL_DOC_VOID",
                                         L"FPTR_GD_FISCAL_REC",
                                         L"FPTR_GD_FISCAL_REC_VOID",
                                         L"FPTR_GD_NONFISCAL_DOC",
                                         L"FPTR_GD_NONFISCAL_DOC_VOID",
                                         L"FPTR_GD_NONFISCAL_REC",
                                         L"FPTR_GD_SIMP_INVOICE",
                                         L"FPTR_GD_TENDER",
                                         L"FPTR_GD_LINECOUNT",
                                         L"FPTR_GD_DESCRIPTION_LENGTH"};
static_assert(std::size(kDataItems) == 28);

constexpr ControlLayout kControls[] = {
    Field(L"edtDataItem", L"DataItem:", L"0", 0, kPairFieldW),
    List(L"cbDataItem", nullptr, kDataItems, 1, 0),
    Field(L"edtOptArgs", L"OptArgs:", L"0", 2),
    Field(L"edtData", L"Data:", L"", 3),
    Execute(L"GetData", 4, L"btnGetData"),
};

class TfmGetData : public TPage {
 public:
  TfmGetData(HWND parent, TDriver& driver) : TPage(parent, driver, TfmGetDataClass, kControls) {}

 private:
  void OnClick(const std::wstring&) override {
    Call([this] {
      const int32_t dataItem = IntegerOf(L"edtDataItem");
      int32_t optArgs = IntegerOf(L"edtOptArgs");
      std::wstring data;
      const int32_t code = Printer().GetData(dataItem, optArgs, data);
      SetText(L"edtData", FromDriverText(data));
      return code;
    });
  }
};

}  // namespace

const PageClass TfmGetDataClass = {L"GetData", L"TfmGetData", CreatePage<TfmGetData>};

}  // namespace orn::bench
