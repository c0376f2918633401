#include "WritableProperties.h"

#include <windows.h>

#include <oleauto.h>

#include <iterator>

namespace orn::bench {
namespace {

struct WritableProperty {
  const wchar_t* name;
  VARTYPE type;
};

// PowerNotify is shown as a boolean but held as an integer (0 or 1).
constexpr WritableProperty kWritableProperties[] = {
    {L"DeviceEnabled", VT_BOOL},      {L"FreezeEvents", VT_BOOL},    {L"PowerNotify", VT_I4},
    {L"AsyncMode", VT_BOOL},          {L"CheckTotal", VT_BOOL},      {L"DuplicateReceipt", VT_BOOL},
    {L"FlagWhenIdle", VT_BOOL},       {L"SlipSelection", VT_I4},     {L"AdditionalHeader", VT_BSTR},
    {L"AdditionalTrailer", VT_BSTR},  {L"ChangeDue", VT_BSTR},       {L"DateType", VT_I4},
    {L"FiscalReceiptStation", VT_I4}, {L"FiscalReceiptType", VT_I4}, {L"MessageType", VT_I4},
    {L"PostLine", VT_BSTR},           {L"PreLine", VT_BSTR},         {L"TotalizerType", VT_I4},
};
static_assert(std::size(kWritableProperties) == 18);

const WritableProperty* Find(const std::wstring& name) {
  for (const WritableProperty& property : kWritableProperties) {
    if (name == property.name) return &property;
  }
  return nullptr;
}

}  // namespace

bool IsWritableProperty(const std::wstring& name) {
  return Find(name) != nullptr;
}

bool IsValueOfProperty(const std::wstring& name, const std::wstring& text) {
  const WritableProperty* property = Find(name);
  if (!property) return false;
  if (property->type == VT_BSTR) return true;
  VARIANT typed;
  ::VariantInit(&typed);
  typed.vt = VT_BSTR;
  typed.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  VARIANT converted;
  ::VariantInit(&converted);
  const HRESULT hr =
      ::VariantChangeTypeEx(&converted, &typed, LOCALE_USER_DEFAULT, 0, property->type);
  ::VariantClear(&typed);
  ::VariantClear(&converted);
  return SUCCEEDED(hr);
}

}  // namespace orn::bench
