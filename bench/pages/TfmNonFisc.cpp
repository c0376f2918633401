// TfmNonFisc (fmuNFisc), entry "NonFiscal": a non-fiscal document; the station check boxes
// add up to the station number.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmNonFiscClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtStation", L"Station:", L"2", 0, 60),
    Check(L"chbReceipt", L"FPTR_S_RECEIPT", 1),
    Check(L"chbJournal", L"FPTR_S_JOURNAL", 2),
    Check(L"chbSlip", L"FPTR_S_SLIP", 3),
    Field(L"edtData", L"Data:", L"", 4),
    Push(L"btnBeginNonFiscal", L"BeginNonFiscal", kFieldX, RowY(5) + 8, kFieldW),
    Push(L"btnPrintNormal", L"PrintNormal", kFieldX, RowY(6) + 10, kFieldW),
    Push(L"btnEndNonFiscal", L"EndNonFiscal", kFieldX, RowY(7) + 12, kFieldW),
};

// The station bit of each check box.
struct StationBit {
  const wchar_t* box;
  int bit;
};
constexpr StationBit kStationBits[] = {{L"chbReceipt", 2}, {L"chbJournal", 1}, {L"chbSlip", 4}};

class TfmNonFisc : public TPage {
 public:
  TfmNonFisc(HWND parent, TDriver& driver) : TPage(parent, driver, TfmNonFiscClass, kControls) {}

 private:
  void OnClick(const std::wstring& name) override {
    if (name == L"btnBeginNonFiscal") {
      Call([this] { return Printer().BeginNonFiscal(); });
    } else if (name == L"btnPrintNormal") {
      Call([this] {
        const int32_t station = IntegerOf(L"edtStation");
        return Printer().PrintNormal(station, DriverTextOf(L"edtData"));
      });
    } else if (name == L"btnEndNonFiscal") {
      Call([this] { return Printer().EndNonFiscal(); });
    } else {
      int station = 0;
      for (const StationBit& station_bit : kStationBits) {
        if (Checked(station_bit.box)) station += station_bit.bit;
      }
      SetText(L"edtStation", std::to_wstring(station));
    }
  }
};

}  // namespace

const PageClass TfmNonFiscClass = {L"NonFiscal", L"TfmNonFisc", CreatePage<TfmNonFisc>};

}  // namespace orn::bench
