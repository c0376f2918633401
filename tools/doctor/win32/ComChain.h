#pragma once
// The COM links of the chain in one registry view (Windows only): the class a ProgID names
// with its DLL and type library, the OPOS control, and the service object made in-process.

#include <string>

#include "Doctor.h"

namespace orn::ornfr::win32 {

// What a registry view is: its bits, the flag that opens it, and whether the system has
// two of them.
struct View {
  int bits;
  unsigned long flags;  // KEY_WOW64_32KEY, KEY_WOW64_64KEY, or 0 on 32-bit Windows
  bool twoViews;
};

Finding CheckServiceClass(const View& view, const std::string& progId);
Finding CheckControl(const View& view);
// How to register the service object for applications of `view`'s bitness.
std::string RegisterAdvice(const View& view);

// CoCreateInstance of the ProgID's class, then OpenService, GetOpenResult and ErrorString
// through IDispatch by name, as the OPOS control calls them; CloseService after a success.
OpenOutcome OpenInProcess(const View& own, const std::string& progId, const std::string& device);

}  // namespace orn::ornfr::win32
