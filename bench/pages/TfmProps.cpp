// TfmProps (fmuProps), entry "Записываемые свойства": the writable properties, each written
// as soon as the user changes it; "Обновить" reads them all back.

#include "../DriverText.h"
#include "../PageItems.h"
#include "../TPage.h"

namespace orn::bench {

extern const PageClass TfmPropsClass;

namespace {

constexpr const wchar_t* kSlipSelections[] = {L"FPTR_SS_FULL_LENGTH", L"FPTR_SS_VALIDATION"};
constexpr const wchar_t* kMessageTypes[] = {L"FPTR_MT_ADVANCE",
                                            L"FPTR_MT_ADVANCE_PAID",
                                            L"FPTR_MT_AMOUNT_TO_BE_PAID",
                                            L"FPTR_MT_AMOUNT_TO_BE_PAID_BACK",
                                            L"FPTR_MT_CARD",
                                            L"FPTR_MT_CARD_NUMBER",
                                            L"FPTR_MT_CARD_TYPE",
                                            L"FPTR_MT_CASH",
                                            L"FPTR_MT_CASHIER",
                                            L"FPTR_MT_CASH_REGISTER_NUMBER",
                                            L"FPTR_MT_CHANGE",
                                            L"FPTR_MT_CHEQUE",
                                            L"FPTR_MT_CLIENT_NUMBER",
                                            L"FPTR_MT_CLIENT_SIGNATURE",
                                            L"FPTR_MT_COUNTER_STATE",
                                            L"FPTR_MT_CREDIT_CARD",
                                            L"FPTR_MT_CURRENCY",
                                            L"FPTR_MT_CURRENCY_VALUE",
                                            L"FPTR_MT_DEPOSIT",
                                            L"FPTR_MT_DEPOSIT_RETURNED",
                                            L"FPTR_MT_DOT_LINE",
                                            L"FPTR_MT_DRIVER_NUMB",
                                            L"FPTR_MT_EMPTY_LINE",
                                            L"FPTR_MT_FREE_TEXT",
                                            L"FPTR_MT_FREE_TEXT_WITH_DAY_LIMIT",
                                            L"FPTR_MT_GIVEN_DISCOUNT",
                                            L"FPTR_MT_LOCAL_CREDIT",
                                            L"FPTR_MT_MILEAGE_KM",
                                            L"FPTR_MT_NOTE",
                                            L"FPTR_MT_PAID",
                                            L"FPTR_MT_PAY_IN",
                                            L"FPTR_MT_POINT_GRANTED",
                                            L"FPTR_MT_POINTS_BONUS",
                                            L"FPTR_MT_POINTS_RECEIPT",
                                            L"FPTR_MT_POINTS_TOTAL",
                                            L"FPTR_MT_PROFITED",
                                            L"FPTR_MT_RATE",
                                            L"FPTR_MT_REGISTER_NUMB",
                                            L"FPTR_MT_SHIFT_NUMBER",
                                            L"FPTR_MT_STATE_OF_AN_ACCOUNT",
                                            L"FPTR_MT_SUBSCRIPTION",
                                            L"FPTR_MT_TABLE",
                                            L"FPTR_MT_THANK_YOU_FOR_LOYALTY",
                                            L"FPTR_MT_TRANSACTION_NUMB",
                                            L"FPTR_MT_VALID_TO",
                                            L"FPTR_MT_VOUCHER",
                                            L"FPTR_MT_VOUCHER_PAID",
                                            L"FPTR_MT_VOUCHER_VALUE",
                                            L"FPTR_MT_WITH_DISCOUNT",
                                            L"FPTR_MT_WITHOUT_UPLIFT"};
static_assert(std::size(kMessageTypes) == 50);

// Compact rows: the check boxes in two columns, then one field or list a row.
constexpr int CheckY(int row) {
  return 6 + row * 20;
}
constexpr int FieldY(int row) {
  return 92 + row * 24;
}
constexpr int kColumn2 = 138;  // left of the field column: it stays where it is

constexpr ControlLayout kControls[] = {
    {Kind::Check, L"chbDeviceEnabled", nullptr, L"DeviceEnabled", kLabelX, CheckY(0), 126, 18},
    {Kind::Check, L"chbFreezeEvents", nullptr, L"FreezeEvents", kLabelX, CheckY(1), 126, 18},
    {Kind::Check, L"chbPowerNotify", nullptr, L"PowerNotify", kLabelX, CheckY(2), 126, 18},
    {Kind::Check, L"chbAsyncMode", nullptr, L"AsyncMode", kLabelX, CheckY(3), 126, 18},
    {Kind::Check, L"chbCheckTotal", nullptr, L"CheckTotal", kColumn2, CheckY(0), 130, 18},
    {Kind::Check, L"chbDuplicateReceipt", nullptr, L"DuplicateReceipt", kColumn2, CheckY(1), 130,
     18},
    {Kind::Check, L"chbFlagWhenIdle", nullptr, L"FlagWhenIdle", kColumn2, CheckY(2), 130, 18},
    {Kind::Tool, L"btnUpdate", nullptr, L"Обновить", 268, CheckY(0), 80, 0, {}, -1, true},
    {Kind::List, L"cbSlipSelection", L"SlipSelection:", L"", kFieldX, FieldY(0), kFieldW, 200,
     kSlipSelections},
    {Kind::Edit, L"edtChangeDue", L"ChangeDue:", L"", kFieldX, FieldY(1), kFieldW, 0},
    {Kind::List, L"cbDateType", L"DateType:", L"", kFieldX, FieldY(2), kFieldW, 200, kDateTypes},
    {Kind::List, L"cbFiscalReceiptStation", L"FiscalReceiptStation:", L"", kFieldX, FieldY(3),
     kFieldW, 200, kReceiptStations},
    {Kind::List, L"cbFiscalReceiptType", L"FiscalReceiptType:", L"", kFieldX, FieldY(4), kFieldW,
     200, kReceiptTypes},
    {Kind::List, L"cbMessageType", L"MessageType:", L"", kFieldX, FieldY(5), kFieldW, 200,
     kMessageTypes},
    {Kind::Edit, L"edtPreLine", L"PreLine:", L"", kFieldX, FieldY(6), kFieldW, 0},
    {Kind::Edit, L"edtPostLine", L"PostLine:", L"", kFieldX, FieldY(7), kFieldW, 0},
};

// Each control and the property it writes.
enum class Writes { Boolean, Integer, Position, Text, DriverText };
struct Binding {
  const wchar_t* control;
  PropertyId property;
  Writes writes;
};
constexpr Binding kBindings[] = {
    {L"chbDeviceEnabled", pidDeviceEnabled, Writes::Boolean},
    {L"chbFreezeEvents", pidFreezeEvents, Writes::Boolean},
    {L"chbPowerNotify", pidPowerNotify, Writes::Integer},
    {L"chbAsyncMode", pidAsyncMode, Writes::Boolean},
    {L"chbCheckTotal", pidCheckTotal, Writes::Boolean},
    {L"chbDuplicateReceipt", pidDuplicateReceipt, Writes::Boolean},
    {L"chbFlagWhenIdle", pidFlagWhenIdle, Writes::Boolean},
    {L"cbSlipSelection", pidSlipSelection, Writes::Position},
    {L"edtChangeDue", pidChangeDue, Writes::Text},
    {L"cbDateType", pidDateType, Writes::Position},
    {L"cbFiscalReceiptStation", pidFiscalReceiptStation, Writes::Position},
    {L"cbFiscalReceiptType", pidFiscalReceiptType, Writes::Position},
    {L"cbMessageType", pidMessageType, Writes::Position},
    {L"edtPreLine", pidPreLine, Writes::DriverText},
    {L"edtPostLine", pidPostLine, Writes::DriverText},
};

class TfmProps : public TPage {
 public:
  TfmProps(HWND parent, TDriver& driver) : TPage(parent, driver, TfmPropsClass, kControls) {}

 private:
  void OnClick(const std::wstring& name) override {
    if (name == L"btnUpdate") {
      Refresh();
    } else {
      Write(name);
    }
  }
  void OnSelect(const std::wstring& name) override { Write(name); }
  void OnChange(const std::wstring& name) override { Write(name); }

  void Write(const std::wstring& name) {
    for (const Binding& binding : kBindings) {
      if (name != binding.control) continue;
      switch (binding.writes) {
        case Writes::Boolean:
          Printer().SetBoolean(binding.property, Checked(name));
          break;
        case Writes::Integer:
          Printer().SetInteger(binding.property, Checked(name) ? 1 : 0);
          break;
        case Writes::Position:
          Printer().SetInteger(binding.property, Position(name));
          break;
        case Writes::Text:
          Printer().SetText(binding.property, Text(name));
          break;
        case Writes::DriverText:
          Printer().SetText(binding.property, DriverTextOf(name));
          break;
      }
    }
  }

  // The control's ResultCode first, then every property in the table's order.
  void Refresh() {
    NotifyResult(Printer().GetInteger(pidResultCode));
    for (const Binding& binding : kBindings) {
      const std::wstring name = binding.control;
      switch (binding.writes) {
        case Writes::Boolean:
        case Writes::Integer:
          SetChecked(name, Printer().GetInteger(binding.property) != 0);
          break;
        case Writes::Position:
          // A value outside the list leaves it without a selection.
          Select(name, Printer().GetInteger(binding.property) - 1);
          break;
        case Writes::Text:
          SetText(name, Printer().GetText(binding.property));
          break;
        case Writes::DriverText:
          SetText(name, FromDriverText(Printer().GetText(binding.property)));
          break;
      }
    }
  }
};

}  // namespace

const PageClass TfmPropsClass = {L"Записываемые свойства", L"TfmProps", CreatePage<TfmProps>};

}  // namespace orn::bench
