#pragma once
// Automation argument types as FptrService takes them: a BSTR as UTF-16 text (a null BSTR is
// the empty string), CURRENCY as its 64-bit count of ten-thousandths, VARIANT_BOOL as bool,
// and the out and in/out arguments as values the service fills and that are written back
// once the method has run.

#include <windows.h>

#include <oleauto.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace orn::com {

static_assert(sizeof(OLECHAR) == sizeof(char16_t), "OLE strings are UTF-16");

inline std::u16string_view Text(BSTR text) {
  if (!text) return {};
  return std::u16string_view(reinterpret_cast<const char16_t*>(text), ::SysStringLen(text));
}

inline int64_t Money(CY amount) {
  return amount.int64;
}

inline bool Flag(VARIANT_BOOL value) {
  return value != VARIANT_FALSE;
}

// A new BSTR with `text`, or null when memory is short.
inline BSTR NewBstr(std::u16string_view text) {
  return ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                             static_cast<UINT>(text.size()));
}

// A long the service reads and writes ([out], or [in, out] with `in` set).
class LongArg {
 public:
  LongArg(LONG* target, bool in) : target_(target), value_(in && target ? *target : 0) {}
  bool Valid() const { return target_ != nullptr; }
  operator int32_t&() { return value_; }
  HRESULT Commit() {
    *target_ = value_;
    return S_OK;
  }

 private:
  LONG* target_;
  int32_t value_;
};

// A string the service reads and writes. An [out] string is always given a new BSTR; an
// [in, out] one is replaced only when the service changed it (the caller's BSTR is freed).
class TextArg {
 public:
  TextArg(BSTR* target, bool in) : target_(target), in_(in) {
    if (in && target) value_ = Text(*target);
  }
  bool Valid() const { return target_ != nullptr; }
  operator std::u16string&() { return value_; }
  HRESULT Commit() {
    if (in_ && value_ == Text(*target_)) return S_OK;
    BSTR text = NewBstr(value_);
    if (!text) return E_OUTOFMEMORY;
    if (in_) ::SysFreeString(*target_);
    *target_ = text;
    return S_OK;
  }

 private:
  BSTR* target_;
  bool in_;
  std::u16string value_;
};

}  // namespace orn::com
