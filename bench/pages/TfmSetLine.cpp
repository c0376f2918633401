// TfmSetLine (fmuSetLine), entry "SetLine": one header or trailer line by its number.

#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmSetLineClass;

namespace {

// Under each line field, the numbers it takes.
constexpr ControlLayout RangeNote(int row) {
  return {Kind::Label, nullptr,       nullptr, L"Допустимые значения: 1..",
          kFieldX,     RowY(row) - 2, kFieldW, 16};
}

constexpr ControlLayout kControls[] = {
    Field(L"edtLineNumber", L"LineNumber:", L"0", 0, 60),
    Field(L"edtHeaderLine", L"Header line:", L"Строка HeaderLine", 1),
    RangeNote(2),
    Field(L"edtTrailerLine", L"Trailer line:", L"Строка TrailerLine", 3),
    RangeNote(4),
    Check(L"chbDoubleWidth", L"DoubleWidth", 5),
    Push(L"btnSetHeaderLine", L"SetHeaderLine", kFieldX, RowY(6) + 6, kFieldW),
    Push(L"btnSetTrailerLine", L"SetTrailerLine", kFieldX, RowY(7) + 8, kFieldW),
};

class TfmSetLine : public TPage {
 public:
  TfmSetLine(HWND parent, TDriver& driver) : TPage(parent, driver, TfmSetLineClass, kControls) {}

 private:
  void OnClick(const std::wstring& name) override {
    if (name == L"btnSetHeaderLine") {
      Call([this] {
        const int32_t lineNumber = IntegerOf(L"edtLineNumber");
        return Printer().SetHeaderLine(lineNumber, DriverTextOf(L"edtHeaderLine"),
                                       Checked(L"chbDoubleWidth"));
      });
    } else if (name == L"btnSetTrailerLine") {
      Call([this] {
        const int32_t lineNumber = IntegerOf(L"edtLineNumber");
        return Printer().SetTrailerLine(lineNumber, DriverTextOf(L"edtTrailerLine"),
                                        Checked(L"chbDoubleWidth"));
      });
    }
  }
};

}  // namespace

const PageClass TfmSetLineClass = {L"SetLine", L"TfmSetLine", CreatePage<TfmSetLine>};

}  // namespace orn::bench
