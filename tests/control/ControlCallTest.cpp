// Methods and properties of an open control reach the service object by name and by
// property index, with the standard control's answers while closed, beyond the service
// object's release, and when a call fails.
#include "ControlFixture.h"

namespace orn::control::test {
namespace {

using Lines = std::vector<std::wstring>;

CY Money(LONGLONG amount) {
  CY value;
  value.int64 = amount;
  return value;
}

TEST_F(ControlTest, AClosedControlAnswersItselfAndCallsNothing) {
  LONG rc = -1;
  control_->CheckHealth(1, &rc);
  EXPECT_EQ(rc, 101);
  control_->ClaimDevice(1000, &rc);
  EXPECT_EQ(rc, 101);
  Bstr date;
  control_->GetDate(&date, &rc);
  EXPECT_EQ(rc, 101);

  LONG number = -1;
  control_->get_State(&number);
  EXPECT_EQ(number, 1);
  EXPECT_EQ(ResultCode(), 101);
  control_->get_ControlObjectVersion(&number);
  EXPECT_EQ(number, 1016000);
  control_->get_AmountDecimalPlaces(&number);
  EXPECT_EQ(number, 0);
  VARIANT_BOOL flag = VARIANT_TRUE;
  control_->get_CapRecPresent(&flag);
  EXPECT_EQ(flag, VARIANT_FALSE);
  control_->get_FreezeEvents(&flag);
  EXPECT_EQ(flag, VARIANT_FALSE);
  Bstr text;
  control_->get_DeviceDescription(&text);
  EXPECT_EQ(text.Text(), L"[Error]");
  control_->get_ControlObjectDescription(&text);
  EXPECT_EQ(text.Text(),
            L"OPOS FiscalPrinter Control 1.16.000 [Public, by CRM/MCS, and modified by KF]");
  control_->put_DeviceEnabled(VARIANT_TRUE);
  control_->put_FreezeEvents(VARIANT_TRUE);
  Bstr header(L"header");
  control_->put_AdditionalHeader(header);

  // A script reads the same through IDispatch.
  VARIANT value;
  ASSERT_EQ(GetByName(L"ErrorString", &value), S_OK);
  EXPECT_EQ(value.vt, VT_BSTR);
  EXPECT_EQ(std::wstring(value.bstrVal), L"[Error]");
  ::VariantClear(&value);
  EXPECT_TRUE(Record().empty());
}

TEST_F(ControlTest, ArgumentsReachTheServiceObjectInOrderWithTheirTypes) {
  ASSERT_EQ(Open(), 0);
  Mark();
  LONG rc = -1;
  Bstr milk(L"Milk"), kg(L"kg"), cash(L"Cash"), line(L"Header 1");
  control_->PrintRecItem(milk, Money(123400), 1500, 2, Money(82267), kg, &rc);
  control_->PrintRecTotal(Money(200000), Money(200000), cash, &rc);
  control_->BeginFiscalReceipt(5, &rc);  // any non-zero boolean is passed as true
  control_->EndFiscalReceipt(VARIANT_FALSE, &rc);
  control_->SetHeaderLine(1, line, VARIANT_TRUE, &rc);

  // Out and in/out arguments go by reference; an out string goes in empty.
  Bstr date(L"stale");
  control_->GetDate(&date, &rc);
  EXPECT_EQ(date.Text(), L"from service");
  LONG data = 5;
  BSTR text = ::SysAllocString(L"in");
  control_->DirectIO(7, &data, &text, &rc);
  EXPECT_EQ(data, 6);
  EXPECT_EQ(std::wstring(text), L"from service");
  ::SysFreeString(text);
  EXPECT_EQ(Calls(), (Lines{
                         L"PrintRecItem('Milk', cy 123400, 1500, 2, cy 82267, 'kg')",
                         L"PrintRecTotal(cy 200000, cy 200000, 'Cash')",
                         L"BeginFiscalReceipt(-1)",
                         L"EndFiscalReceipt(0)",
                         L"SetHeaderLine(1, 'Header 1', -1)",
                         L"GetDate(&null)",
                         L"DirectIO(7, &5, &'in')",
                     }));
}

// A script passes its variables by reference as references to its own VARIANTs.
TEST_F(ControlTest, AScriptsVariablesReachTheServiceObjectByReference) {
  ASSERT_EQ(Open(), 0);
  Mark();
  VARIANT data, text;
  data.vt = VT_I4;
  data.lVal = 5;
  text.vt = VT_BSTR;
  text.bstrVal = ::SysAllocString(L"in");
  VARIANTARG args[3];
  args[2].vt = VT_I4;
  args[2].lVal = 7;
  args[1].vt = VT_VARIANT | VT_BYREF;
  args[1].pvarVal = &data;
  args[0].vt = VT_VARIANT | VT_BYREF;
  args[0].pvarVal = &text;
  DISPPARAMS params = {args, nullptr, 3, 0};
  VARIANT rc;
  ::VariantInit(&rc);
  ASSERT_EQ(control_->Invoke(IdOf(L"DirectIO"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                             &params, &rc, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(rc.lVal, 0);
  EXPECT_EQ(data.lVal, 6);
  EXPECT_EQ(std::wstring(text.bstrVal), L"from service");
  ::VariantClear(&text);
  EXPECT_EQ(Calls(), (Lines{L"DirectIO(7, &5, &'in')"}));
}

struct PropertyCase {
  const wchar_t* name;
  long pidx;
  VARTYPE type;
};

// A sample of every kind of property: common and fiscal, numbers, booleans, strings.
constexpr PropertyCase kProperties[] = {
    {L"CapPowerReporting", 501, VT_I4},
    {L"CheckHealthText", 1000001, VT_BSTR},
    {L"Claimed", 1, VT_BOOL},
    {L"PowerState", 14, VT_I4},
    {L"ResultCodeExtended", 7, VT_I4},
    {L"ServiceObjectVersion", 8, VT_I4},
    {L"DeviceName", 1000003, VT_BSTR},
    {L"AmountDecimalPlaces", 16001, VT_I4},
    {L"CapXReport", 16543, VT_BOOL},
    {L"ErrorString", 1016001, VT_BSTR},
    {L"SlipSelection", 16028, VT_I4},
    {L"PrinterState", 16020, VT_I4},
    {L"ActualCurrency", 16030, VT_I4},
    {L"PreLine", 1016008, VT_BSTR},
    {L"TotalizerType", 16036, VT_I4},
    {L"CapStatisticsReporting", 502, VT_BOOL},
    {L"CapUpdateFirmware", 505, VT_BOOL},
    {L"CapPositiveSubtotalAdjustment", 16556, VT_BOOL},
};

TEST_F(ControlTest, PropertiesReachTheServiceObjectByTheirIndex) {
  ASSERT_EQ(Open(), 0);
  for (const PropertyCase& property : kProperties) {
    SCOPED_TRACE(::testing::Message() << property.pidx);
    Mark();
    VARIANT value;
    ASSERT_EQ(GetByName(property.name, &value), S_OK);
    ASSERT_EQ(value.vt, property.type);
    const bool isString = property.type == VT_BSTR;
    const std::wstring index = std::to_wstring(property.pidx);
    EXPECT_EQ(Calls(),
              (Lines{(isString ? L"GetPropertyString(" : L"GetPropertyNumber(") + index + L")"}));
    if (property.type == VT_I4) {
      EXPECT_EQ(value.lVal, property.pidx == 8 ? 1016000 : property.pidx);
    } else if (property.type == VT_BOOL) {
      EXPECT_EQ(value.boolVal, VARIANT_TRUE);
    } else {
      EXPECT_EQ(std::wstring(value.bstrVal), L"S" + index);
    }
    ::VariantClear(&value);
  }

  // Booleans are written as 1 and 0; FreezeEvents goes to the service object too.
  Mark();
  VARIANT value;
  value.vt = VT_BOOL;
  value.boolVal = VARIANT_TRUE;
  ASSERT_EQ(PutByName(L"DeviceEnabled", value), S_OK);
  value.boolVal = VARIANT_FALSE;
  ASSERT_EQ(PutByName(L"CheckTotal", value), S_OK);
  control_->put_FreezeEvents(VARIANT_TRUE);
  control_->put_FreezeEvents(VARIANT_FALSE);
  control_->put_FiscalReceiptType(4);
  Bstr trailer(L"Thank you");
  control_->put_AdditionalTrailer(trailer);
  EXPECT_EQ(Calls(),
            (Lines{L"SetPropertyNumber(3, 1)", L"SetPropertyNumber(16003, 0)",
                   L"SetPropertyNumber(4, 1)", L"SetPropertyNumber(4, 0)",
                   L"SetPropertyNumber(16034, 4)", L"SetPropertyString(1016005, 'Thank you')"}));
}

// A service object of release 1.6 that answers no 1.8 names: the control keeps the newer
// methods and properties from it.
TEST_F(ControlTest, MethodsAndPropertiesBeyondTheServiceObjectsReleaseAreNotCalled) {
  MockConfig config;
  config.version = 1006000;
  config.missingName = L"ResetStatistics";
  Configure(config);
  ASSERT_EQ(Open(), 0);
  Mark();
  LONG rc = -1;
  Bstr buffer(L"");
  control_->ResetStatistics(buffer, &rc);
  EXPECT_EQ(rc, 104);
  EXPECT_EQ(ResultCode(), 104);
  control_->PrintRecCash(Money(10000), &rc);  // a 1.6 method
  EXPECT_EQ(rc, 0);
  VARIANT_BOOL flag = VARIANT_TRUE;
  control_->get_CapUpdateStatistics(&flag);  // 1.8
  EXPECT_EQ(flag, VARIANT_FALSE);
  Bstr text;
  control_->get_PostLine(&text);  // 1.6
  EXPECT_EQ(text.Text(), L"S1016007");
  EXPECT_EQ(Calls(), (Lines{L"PrintRecCash(cy 10000)", L"GetPropertyString(1016007)"}));
}

TEST_F(ControlTest, APropertyPutBeyondTheReleaseIsDroppedAndResultCodeReads104) {
  MockConfig config;
  config.version = 1003000;
  config.missingName = L"PrintRecCash";  // release 1.3 needs only the first 61 names
  Configure(config);
  ASSERT_EQ(Open(), 0);
  Mark();
  Bstr header(L"header");
  control_->put_AdditionalHeader(header);
  EXPECT_EQ(ResultCode(), 104);
  Bstr text;
  control_->get_AdditionalHeader(&text);
  EXPECT_EQ(text.Text(), L"[Error]");
  // Once a call reaches the service object again, ResultCode is its own.
  control_->put_DeviceEnabled(VARIANT_TRUE);
  EXPECT_EQ(ResultCode(), 6);
  EXPECT_EQ(Calls(), (Lines{L"SetPropertyNumber(3, 1)", L"GetPropertyNumber(6)"}));
}

TEST_F(ControlTest, AFailingCallReturnsItsHResultAndResultCodeReads104) {
  MockConfig config;
  config.failingMethod = L"PrintXReport";
  config.methodResult = 114;
  Configure(config);
  ASSERT_EQ(Open(), 0);
  LONG rc = -1;
  EXPECT_EQ(control_->PrintXReport(&rc), E_FAIL);
  EXPECT_EQ(rc, 104);
  EXPECT_EQ(ResultCode(), 104);
  // The next call's result is the service object's, and so is ResultCode.
  EXPECT_EQ(control_->PrintZReport(&rc), S_OK);
  EXPECT_EQ(rc, 114);
  EXPECT_EQ(ResultCode(), 6);
}

}  // namespace
}  // namespace orn::control::test
