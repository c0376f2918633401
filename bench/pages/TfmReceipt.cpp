// TfmReceipt (fmuReceipt), entry "Fiscal Receipt": begins and ends a receipt of the chosen
// station and type, with the additional header when it is to be used.

#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmReceiptClass;

namespace {

constexpr wchar_t kHeaderDefault[] =
    L"------------------------------------\r\n"
    L"     Дополнительный заголовок 1\r\n"
    L"     Дополнительный заголовок 2\r\n"
    L"------------------------------------";

constexpr int kHeaderY = RowY(2) + 20;
constexpr int kHeaderH = 86;
constexpr int kButtonsY = kHeaderY + kHeaderH + 60;

constexpr ControlLayout kControls[] = {
    List(L"cbFiscalReceiptStation", L"FiscalReceiptStation:", kReceiptStations, 0, 0),
    List(L"cbFiscalReceiptType", L"FiscalReceiptType:", kReceiptTypes, 1, 0),
    // Tall enough for the four lines of the default header and a sideways scroll bar.
    {Kind::CourierMemo, L"AdditionalHeader", L"AdditionalHeader:", kHeaderDefault, kLabelX,
     kHeaderY, 352, kHeaderH},
    {Kind::Check,
     L"chbAdditionalHeader",
     nullptr,
     L"Использовать AdditionalHeader",
     kLabelX,
     kHeaderY + kHeaderH + 6,
     220,
     21,
     {},
     1},
    {Kind::Check, L"chbPrintHeader", nullptr, L"PrintHeader", kLabelX, kHeaderY + kHeaderH + 30,
     220, 21},
    PushAt(L"btnBeginFisclReceipt", L"BeginFisclReceipt", kLabelX, kButtonsY, 140),
    PushAt(L"btnEndFiscalReceipt", L"EndFiscalReceipt", kLabelX + 146, kButtonsY, 140),
    PushAt(L"btnPrintDuplicateReceipt", L"PrintDuplicateReceipt", kLabelX, kButtonsY + 30, 140),
};

class TfmReceipt : public TPage {
 public:
  TfmReceipt(HWND parent, TDriver& driver) : TPage(parent, driver, TfmReceiptClass, kControls) {}

 private:
  void OnClick(const std::wstring& name) override {
    if (name == L"btnBeginFisclReceipt") {
      Call([this] {
        WriteStationAndType();
        const std::wstring header =
            Checked(L"chbAdditionalHeader") ? DriverTextOf(L"AdditionalHeader") : L"";
        Printer().SetText(pidAdditionalHeader, header);
        return Printer().BeginFiscalReceipt(Checked(L"chbPrintHeader"));
      });
    } else if (name == L"btnEndFiscalReceipt") {
      Call([this] {
        WriteStationAndType();
        return Printer().EndFiscalReceipt(Checked(L"chbPrintHeader"));
      });
    } else if (name == L"btnPrintDuplicateReceipt") {
      Call([this] { return Printer().PrintDuplicateReceipt(); });
    }
  }

  // A choice writes its property at once and shows what the control then holds.
  void OnSelect(const std::wstring& name) override {
    const PropertyId id =
        name == L"cbFiscalReceiptStation" ? pidFiscalReceiptStation : pidFiscalReceiptType;
    Printer().SetInteger(id, Position(name));
    Select(name, Printer().GetInteger(id) - 1);
  }

  void WriteStationAndType() {
    Printer().SetInteger(pidFiscalReceiptStation, Position(L"cbFiscalReceiptStation"));
    Printer().SetInteger(pidFiscalReceiptType, Position(L"cbFiscalReceiptType"));
  }
};

}  // namespace

const PageClass TfmReceiptClass = {L"Fiscal Receipt", L"TfmReceipt", CreatePage<TfmReceipt>};

}  // namespace orn::bench
