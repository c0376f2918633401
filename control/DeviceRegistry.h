#pragma once
// The OPOS device key as the control reads it at Open: a device name (or a logical name
// that a value of the class key maps to one) leads to the key whose default value is the
// service object's ProgID.

#include <windows.h>

#include <string>

namespace orn::control {

struct ServiceEntry {
  std::wstring physicalName;  // the device key's name, passed on to OpenService
  CLSID clsid = {};
};

// OPOS_SUCCESS with `entry` filled, or the open result of the step that failed:
// OPOS_OR_REGBADNAME (no such device) or OPOS_OR_REGPROGID (no usable ProgID).
long FindServiceEntry(const wchar_t* deviceName, ServiceEntry* entry);

}  // namespace orn::control
