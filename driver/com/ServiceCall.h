#pragma once
// How an IFptr method runs the service: null out pointers are refused with E_POINTER before
// anything runs, the out arguments are written back after it, and nothing thrown inside
// gets out (a C++ exception must never cross a COM call).

#include <windows.h>

#include <cstdint>
#include <new>

namespace orn::com {

template <typename Work>
HRESULT Guarded(Work&& work) noexcept {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// An OPOS method: `work` returns the result code, which goes to *rc.
template <typename Work, typename... Outs>
HRESULT CallService(LONG* rc, Work&& work, Outs&... outs) noexcept {
  if (!rc || !(outs.Valid() && ...)) return E_POINTER;
  return Guarded([&] {
    int32_t code = work();
    HRESULT result = S_OK;
    ((result = SUCCEEDED(result) ? outs.Commit() : result), ...);
    *rc = code;
    return result;
  });
}

// A property read: the value is the result, the service's result code is not.
template <typename Out, typename Work>
HRESULT ReadProperty(Out& value, Work&& work) noexcept {
  if (!value.Valid()) return E_POINTER;
  return Guarded([&] {
    work();
    return value.Commit();
  });
}

// A property write: the outcome is only in the service's result code.
template <typename Work>
HRESULT WriteProperty(Work&& work) noexcept {
  return Guarded([&] {
    work();
    return S_OK;
  });
}

}  // namespace orn::com
