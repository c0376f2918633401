#pragma once
// The class factory of the control's one class.

#include <windows.h>

namespace orn::control {

HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** object);

}  // namespace orn::control
