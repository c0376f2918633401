// The registered type library read back through ITypeLib and ITypeInfo, compared with the
// interface as the product defines it (the table below is kept by hand, independently of
// the IDL), and name lookup through IDispatch.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ComTestSupport.h"
#include "FptrInterface.h"

namespace orn::comtest {
namespace {

struct Method {
  DISPID id;
  const char* name;
  bool propertyGet;
  // "type Name" per argument, in order; "out " or "in/out " before the type when not [in].
  const char* arguments;
  // The [out, retval] argument, or empty.
  const char* result;
};

const Method kMethods[] = {
    {1, "OpenResult", true, "", "long* pOpenResult"},
    {2, "COFreezeEvents", false, "VARIANT_BOOL Freeze", "long* pRC"},
    {3, "GetPropertyNumber", false, "long PropIndex", "long* pNumber"},
    {4, "SetPropertyNumber", false, "long PropIndex, long Number", ""},
    {5, "GetPropertyString", false, "long PropIndex", "BSTR* pString"},
    {6, "SetPropertyString", false, "long PropIndex, BSTR String", ""},
    {7, "OpenService", false, "BSTR DeviceClass, BSTR DeviceName, IDispatch* pDispatch",
     "long* pRC"},
    {8, "CloseService", false, "", "long* pRC"},
    {9, "CheckHealth", false, "long Level", "long* pRC"},
    {10, "ClaimDevice", false, "long Timeout", "long* pRC"},
    {11, "ClearOutput", false, "", "long* pRC"},
    {12, "DirectIO", false, "long Command, in/out long* pData, in/out BSTR* pString", "long* pRC"},
    {13, "ReleaseDevice", false, "", "long* pRC"},
    {14, "BeginFiscalDocument", false, "long DocumentAmount", "long* pRC"},
    {15, "BeginFiscalReceipt", false, "VARIANT_BOOL PrintHeader", "long* pRC"},
    {16, "BeginFixedOutput", false, "long Station, long DocumentType", "long* pRC"},
    {17, "BeginInsertion", false, "long Timeout", "long* pRC"},
    {18, "BeginItemList", false, "long VatID", "long* pRC"},
    {19, "BeginNonFiscal", false, "", "long* pRC"},
    {20, "BeginRemoval", false, "long Timeout", "long* pRC"},
    {21, "BeginTraining", false, "", "long* pRC"},
    {22, "ClearError", false, "", "long* pRC"},
    {23, "EndFiscalDocument", false, "", "long* pRC"},
    {24, "EndFiscalReceipt", false, "VARIANT_BOOL PrintHeader", "long* pRC"},
    {25, "EndFixedOutput", false, "", "long* pRC"},
    {26, "EndInsertion", false, "", "long* pRC"},
    {27, "EndItemList", false, "", "long* pRC"},
    {28, "EndNonFiscal", false, "", "long* pRC"},
    {29, "EndRemoval", false, "", "long* pRC"},
    {30, "EndTraining", false, "", "long* pRC"},
    {31, "GetData", false, "long DataItem, out long* OptArgs, out BSTR* Data", "long* pRC"},
    {32, "GetDate", false, "out BSTR* Date", "long* pRC"},
    {33, "GetTotalizer", false, "long VatID, long OptArgs, out BSTR* Data", "long* pRC"},
    {34, "GetVatEntry", false, "long VatID, long OptArgs, out long* VatRate", "long* pRC"},
    {35, "PrintDuplicateReceipt", false, "", "long* pRC"},
    {36, "PrintFiscalDocumentLine", false, "BSTR DocumentLine", "long* pRC"},
    {37, "PrintFixedOutput", false, "long DocumentType, long LineNumber, BSTR Data", "long* pRC"},
    {38, "PrintNormal", false, "long Station, BSTR Data", "long* pRC"},
    {39, "PrintPeriodicTotalsReport", false, "BSTR Date1, BSTR Date2", "long* pRC"},
    {40, "PrintPowerLossReport", false, "", "long* pRC"},
    {41, "PrintRecItem", false,
     "BSTR Description, CURRENCY Price, long Quantity, long VatInfo, CURRENCY UnitPrice, BSTR "
     "UnitName",
     "long* pRC"},
    {42, "PrintRecItemAdjustment", false,
     "long AdjustmentType, BSTR Description, CURRENCY Amount, long VatInfo", "long* pRC"},
    {43, "PrintRecMessage", false, "BSTR Message", "long* pRC"},
    {44, "PrintRecNotPaid", false, "BSTR Description, CURRENCY Amount", "long* pRC"},
    {45, "PrintRecRefund", false, "BSTR Description, CURRENCY Amount, long VatInfo", "long* pRC"},
    {46, "PrintRecSubtotal", false, "CURRENCY Amount", "long* pRC"},
    {47, "PrintRecSubtotalAdjustment", false,
     "long AdjustmentType, BSTR Description, CURRENCY Amount", "long* pRC"},
    {48, "PrintRecTotal", false, "CURRENCY Total, CURRENCY Payment, BSTR Description", "long* pRC"},
    {49, "PrintRecVoid", false, "BSTR Description", "long* pRC"},
    {50, "PrintRecVoidItem", false,
     "BSTR Description, CURRENCY Amount, long Quantity, long AdjustmentType, CURRENCY Adjustment, "
     "long VatInfo",
     "long* pRC"},
    {51, "PrintReport", false, "long ReportType, BSTR StartNum, BSTR EndNum", "long* pRC"},
    {52, "PrintXReport", false, "", "long* pRC"},
    {53, "PrintZReport", false, "", "long* pRC"},
    {54, "ResetPrinter", false, "", "long* pRC"},
    {55, "SetDate", false, "BSTR Date", "long* pRC"},
    {56, "SetHeaderLine", false, "long LineNumber, BSTR Text, VARIANT_BOOL DoubleWidth",
     "long* pRC"},
    {57, "SetPOSID", false, "BSTR POSID, BSTR CashierID", "long* pRC"},
    {58, "SetStoreFiscalID", false, "BSTR ID", "long* pRC"},
    {59, "SetTrailerLine", false, "long LineNumber, BSTR Text, VARIANT_BOOL DoubleWidth",
     "long* pRC"},
    {60, "SetVatTable", false, "", "long* pRC"},
    {61, "SetVatValue", false, "long VatID, BSTR VatValue", "long* pRC"},
    {62, "VerifyItem", false, "BSTR ItemName, long VatID", "long* pRC"},
    {63, "PrintRecCash", false, "CURRENCY Amount", "long* pRC"},
    {64, "PrintRecItemFuel", false,
     "BSTR Description, CURRENCY Price, long Quantity, long VatInfo, CURRENCY UnitPrice, BSTR "
     "UnitName, CURRENCY SpecialTax, BSTR SpecialTaxName",
     "long* pRC"},
    {65, "PrintRecItemFuelVoid", false,
     "BSTR Description, CURRENCY Price, long VatInfo, CURRENCY SpecialTax", "long* pRC"},
    {66, "PrintRecPackageAdjustment", false,
     "long AdjustmentType, BSTR Description, BSTR VatAdjustment", "long* pRC"},
    {67, "PrintRecPackageAdjustVoid", false, "long AdjustmentType, BSTR VatAdjustment",
     "long* pRC"},
    {68, "PrintRecRefundVoid", false, "BSTR Description, CURRENCY Amount, long VatInfo",
     "long* pRC"},
    {69, "PrintRecSubtotalAdjustVoid", false, "long AdjustmentType, CURRENCY Amount", "long* pRC"},
    {70, "PrintRecTaxID", false, "BSTR TaxID", "long* pRC"},
    {71, "SetCurrency", false, "long NewCurrency", "long* pRC"},
    {80, "GetOpenResult", false, "", "long* pRC"},
};

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

std::string TypeName(const TYPEDESC& type) {
  switch (type.vt) {
    case VT_I4:
      return "long";
    case VT_BSTR:
      return "BSTR";
    case VT_BOOL:
      return "VARIANT_BOOL";
    case VT_CY:
      return "CURRENCY";
    case VT_DISPATCH:
      return "IDispatch*";
    case VT_PTR:
      return TypeName(*type.lptdesc) + "*";
    default:
      return "vt" + std::to_string(type.vt);
  }
}

// One function of the interface's type information in the table's notation.
Method Describe(ITypeInfo* info, const FUNCDESC& function, std::string& arguments,
                std::string& result, std::string& name) {
  BSTR names[16] = {};
  UINT count = 0;
  EXPECT_EQ(info->GetNames(function.memid, names, 16, &count), S_OK);
  name = Narrow(std::wstring(names[0]));
  for (SHORT i = 0; i < function.cParams; ++i) {
    const USHORT flags = function.lprgelemdescParam[i].paramdesc.wParamFlags;
    std::string text = TypeName(function.lprgelemdescParam[i].tdesc) + " " +
                       (UINT(i + 1) < count ? Narrow(std::wstring(names[i + 1])) : "?");
    if (flags & PARAMFLAG_FRETVAL) {
      EXPECT_EQ(flags, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL) << name;
      EXPECT_EQ(i, function.cParams - 1) << name << ": the result is the last argument";
      result = text;
      continue;
    }
    if ((flags & PARAMFLAG_FIN) && (flags & PARAMFLAG_FOUT)) {
      text = "in/out " + text;
    } else if (flags & PARAMFLAG_FOUT) {
      text = "out " + text;
    } else {
      EXPECT_EQ(flags, PARAMFLAG_FIN) << name;
    }
    arguments += (arguments.empty() ? "" : ", ") + text;
  }
  for (UINT i = 0; i < count; ++i) ::SysFreeString(names[i]);
  return Method{function.memid, name.c_str(), function.invkind == INVOKE_PROPERTYGET,
                arguments.c_str(), result.c_str()};
}

class TypeLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::LoadRegTypeLib(LIBID_FPTRLib, 1, 0, 0x409, library_.Out()), S_OK);
  }
  ComPtr<ITypeLib> library_;
};

TEST_F(TypeLibrary, LibraryCoclassAndInterfaceAttributes) {
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library_->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  EXPECT_EQ(attributes->lcid, 0x409u);
  EXPECT_EQ(attributes->syskind, kSysKind);
  library_->ReleaseTLibAttr(attributes);

  Bstr name;
  Bstr help;
  ASSERT_EQ(library_->GetDocumentation(-1, name.Out(), help.Out(), nullptr, nullptr), S_OK);
  EXPECT_EQ(name.Text(), L"FPTRLib");
  EXPECT_EQ(help.Text(), L"Fptr 1.0 Type Library");
  EXPECT_EQ(library_->GetTypeInfoCount(), 2u);

  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(library_->GetTypeInfoOfGuid(CLSID_FiscPrinter, coclass.Out()), S_OK);
  TYPEATTR* type = nullptr;
  ASSERT_EQ(coclass->GetTypeAttr(&type), S_OK);
  EXPECT_EQ(type->typekind, TKIND_COCLASS);
  EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FCANCREATE);
  EXPECT_EQ(type->cImplTypes, 1);
  coclass->ReleaseTypeAttr(type);
  ASSERT_EQ(coclass->GetDocumentation(MEMBERID_NIL, name.Out(), help.Out(), nullptr, nullptr),
            S_OK);
  EXPECT_EQ(name.Text(), L"FiscPrinter");
  EXPECT_EQ(help.Text(), L"FiscPrinter Class");
  INT implFlags = 0;
  EXPECT_EQ(coclass->GetImplTypeFlags(0, &implFlags), S_OK);
  EXPECT_EQ(implFlags, IMPLTYPEFLAG_FDEFAULT);
  HREFTYPE reference = 0;
  ComPtr<ITypeInfo> defaultInterface;
  ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
  ASSERT_EQ(coclass->GetRefTypeInfo(reference, defaultInterface.Out()), S_OK);
  ASSERT_EQ(defaultInterface->GetTypeAttr(&type), S_OK);
  EXPECT_EQ(type->guid, IID_IFptr);
  defaultInterface->ReleaseTypeAttr(type);

  ComPtr<ITypeInfo> fptr;
  ASSERT_EQ(library_->GetTypeInfoOfGuid(IID_IFptr, fptr.Out()), S_OK);
  ASSERT_EQ(fptr->GetTypeAttr(&type), S_OK);
  EXPECT_EQ(type->typekind, TKIND_DISPATCH);
  EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDUAL);
  fptr->ReleaseTypeAttr(type);
  ASSERT_EQ(fptr->GetDocumentation(MEMBERID_NIL, name.Out(), help.Out(), nullptr, nullptr), S_OK);
  EXPECT_EQ(name.Text(), L"IFptr");
  EXPECT_EQ(help.Text(), L"IFptr Interface");
}

// The interface half of the dual interface: IDispatch's 7 entries, then the 72 methods in
// the table's order.
TEST_F(TypeLibrary, IFptrHasThe72MethodsWithTheirIdsNamesArgumentsAndDirections) {
  ComPtr<ITypeInfo> dispatch;
  ASSERT_EQ(library_->GetTypeInfoOfGuid(IID_IFptr, dispatch.Out()), S_OK);
  HREFTYPE reference = 0;
  ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &reference), S_OK);
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(dispatch->GetRefTypeInfo(reference, info.Out()), S_OK);
  TYPEATTR* type = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&type), S_OK);
  EXPECT_EQ(type->typekind, TKIND_INTERFACE);
  EXPECT_EQ(type->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION),
            TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION);
  const UINT count = type->cFuncs;
  EXPECT_EQ(type->cbSizeVft, 79 * sizeof(void*));
  info->ReleaseTypeAttr(type);
  ASSERT_EQ(count, std::size(kMethods));

  for (UINT i = 0; i < count; ++i) {
    FUNCDESC* function = nullptr;
    ASSERT_EQ(info->GetFuncDesc(i, &function), S_OK);
    std::string arguments;
    std::string result;
    std::string name;
    Method actual = Describe(info.Get(), *function, arguments, result, name);
    const Method& expected = kMethods[i];
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(actual.id, expected.id);
    EXPECT_STREQ(actual.name, expected.name);
    EXPECT_EQ(actual.propertyGet, expected.propertyGet);
    EXPECT_EQ(function->invkind, expected.propertyGet ? INVOKE_PROPERTYGET : INVOKE_FUNC);
    EXPECT_STREQ(actual.arguments, expected.arguments);
    EXPECT_STREQ(actual.result, expected.result);
    EXPECT_EQ(function->elemdescFunc.tdesc.vt, VT_HRESULT);
    EXPECT_EQ(function->oVft, SHORT((7 + i) * sizeof(void*)));
    info->ReleaseFuncDesc(function);
  }
}

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::CoCreateInstance(CLSID_FiscPrinter, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                 object_.OutVoid()),
              S_OK);
  }
  HRESULT Lookup(const wchar_t* name, DISPID& id, LCID locale = LOCALE_SYSTEM_DEFAULT) {
    std::wstring text = name;
    LPOLESTR names[] = {text.data()};
    return object_->GetIDsOfNames(IID_NULL, names, 1, locale, &id);
  }
  ComPtr<IDispatch> object_;
};

TEST_F(Dispatch, NamesAreFoundExactlyAndInAnyOtherCase) {
  DISPID id = 0;
  EXPECT_EQ(Lookup(L"OpenService", id), S_OK);
  EXPECT_EQ(id, 7);
  EXPECT_EQ(Lookup(L"openservice", id), S_OK);
  EXPECT_EQ(id, 7);
  EXPECT_EQ(Lookup(L"GETOPENRESULT", id, 0x409), S_OK);
  EXPECT_EQ(id, 80);
  EXPECT_EQ(Lookup(L"OpenResult", id, 0x419), S_OK);
  EXPECT_EQ(id, 1);
  // Every method by name, the way the OPOS control looks them up when it opens a device.
  for (const Method& method : kMethods) {
    std::wstring name(method.name, method.name + strlen(method.name));
    EXPECT_EQ(Lookup(name.c_str(), id), S_OK) << method.name;
    EXPECT_EQ(id, method.id) << method.name;
  }
  EXPECT_EQ(Lookup(L"OpenServic", id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(Lookup(L"", id), DISP_E_UNKNOWNNAME);

  // A method with its argument names.
  std::wstring method = L"DirectIO";
  std::wstring argument = L"pData";
  LPOLESTR names[] = {method.data(), argument.data()};
  DISPID ids[2] = {};
  EXPECT_EQ(object_->GetIDsOfNames(IID_NULL, names, 2, LOCALE_SYSTEM_DEFAULT, ids), S_OK);
  EXPECT_EQ(ids[0], 12);
  EXPECT_EQ(ids[1], 1);

  EXPECT_EQ(object_->GetIDsOfNames(IID_IFptr, names, 1, LOCALE_SYSTEM_DEFAULT, ids),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, nullptr), E_POINTER);
}

TEST_F(Dispatch, TypeInformationIsTheInterfacesAndNullOutPointersAreRefused) {
  UINT count = 0;
  EXPECT_EQ(object_->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(object_->GetTypeInfoCount(nullptr), E_POINTER);
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(object_->GetTypeInfo(0, 0x409, info.Out()), S_OK);
  TYPEATTR* type = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&type), S_OK);
  EXPECT_EQ(type->guid, IID_IFptr);
  info->ReleaseTypeAttr(type);
  EXPECT_EQ(object_->GetTypeInfo(0, 0x409, nullptr), E_POINTER);
  ITypeInfo* none = reinterpret_cast<ITypeInfo*>(1);
  EXPECT_EQ(object_->GetTypeInfo(1, 0x409, &none), DISP_E_BADINDEX);
  EXPECT_EQ(none, nullptr);
}

}  // namespace
}  // namespace orn::comtest
