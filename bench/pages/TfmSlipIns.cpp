// TfmSlipIns (fmuSlip), entry "Slip Insertion": waits for a slip to be inserted or removed.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmSlipInsClass;

namespace {

constexpr ControlLayout kControls[] = {
    Field(L"edtTimeout", L"Timeout, мс.:", L"10000", 0, 100),
    Push(L"btnBeginInsertion", L"BeginInsertion", kFieldX, RowY(1) + 8, kFieldW),
    Push(L"btnEndInsertion", L"EndInsertion", kFieldX, RowY(2) + 10, kFieldW),
    Push(L"btnBeginRemoval", L"BeginRemoval", kFieldX, RowY(3) + 12, kFieldW),
    Push(L"btnEndRemoval", L"EndRemoval", kFieldX, RowY(4) + 14, kFieldW),
};

class TfmSlipIns : public TPage {
 public:
  TfmSlipIns(HWND parent, TDriver& driver) : TPage(parent, driver, TfmSlipInsClass, kControls) {}

 private:
  void OnClick(const std::wstring& name) override {
    if (name == L"btnBeginInsertion") {
      Call([this] { return Printer().BeginInsertion(IntegerOf(L"edtTimeout")); });
    } else if (name == L"btnEndInsertion") {
      Call([this] { return Printer().EndInsertion(); });
    } else if (name == L"btnBeginRemoval") {
      Call([this] { return Printer().BeginRemoval(IntegerOf(L"edtTimeout")); });
    } else if (name == L"btnEndRemoval") {
      Call([this] { return Printer().EndRemoval(); });
    }
  }
};

}  // namespace

const PageClass TfmSlipInsClass = {L"Slip Insertion", L"TfmSlipIns", CreatePage<TfmSlipIns>};

}  // namespace orn::bench
