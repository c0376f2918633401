// TfmCommon (fmuCommon), entry "Общие": the device's life cycle, with the control's
// OpenResult shown after every operation.

#include "../BenchError.h"
#include "../ResultNames.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmCommonClass;

namespace {

constexpr int kButtonsY = RowY(2) + 6;

constexpr ControlLayout kControls[] = {
    Field(L"edtDeviceName", L"DeviceName:", L"Ornita-OPOS-1", 0),
    Field(L"edtTimeout", L"Timeout:", L"0", 1),
    Push(L"btnOpen", L"Open", kFieldX, kButtonsY, 106),
    Push(L"btnClose", L"Close", kFieldX + 114, kButtonsY, 106),
    Push(L"btnClaim", L"Claim", kFieldX, kButtonsY + 30, 106),
    Push(L"btnRelease", L"Release", kFieldX + 114, kButtonsY + 30, 106),
    Push(L"btnClearError", L"ClearError", kFieldX, kButtonsY + 60, 106),
    Push(L"btnResetPrinter", L"ResetPrinter", kFieldX + 114, kButtonsY + 60, 106),
    ReadOnlyField(L"edtOpenResult", L"OpenResult:", 6),
};

class TfmCommon : public TPage {
 public:
  TfmCommon(HWND parent, TDriver& driver) : TPage(parent, driver, TfmCommonClass, kControls) {}

 private:
  void OnClick(const std::wstring& name) override {
    if (name == L"btnOpen") {
      Call([this] { return Printer().Open(DriverTextOf(L"edtDeviceName")); });
    } else if (name == L"btnClose") {
      Call([this] { return Printer().Close(); });
    } else if (name == L"btnClaim") {
      Call([this] {
        const int32_t timeout = IntegerOf(L"edtTimeout");
        return Printer().Claim(timeout);
      });
    } else if (name == L"btnRelease") {
      Call([this] { return Printer().Release(); });
    } else if (name == L"btnClearError") {
      Call([this] { return Printer().ClearError(); });
    } else if (name == L"btnResetPrinter") {
      Call([this] { return Printer().ResetPrinter(); });
    }
  }

  // The settings page edits the key of the device named here.
  void OnChange(const std::wstring& name) override {
    if (name == L"edtDeviceName") Driver().SetDeviceName(Text(L"edtDeviceName"));
  }

  // Enabling the buttons again also shows the control's OpenResult of that moment.
  void EnableButtons(bool enabled) override {
    TPage::EnableButtons(enabled);
    if (!enabled) return;
    try {
      SetText(L"edtOpenResult", ResultCodeName(Printer().GetInteger(pidOpenResult)));
    } catch (const BenchError&) {
      // No control to ask (its creation failed): the operation's own error is shown.
    }
  }
};

}  // namespace

const PageClass TfmCommonClass = {L"Общие", L"TfmCommon", CreatePage<TfmCommon>};

}  // namespace orn::bench
