#pragma once
// The class factory of FiscPrinter, the server's one class. It is made on the first request
// and kept by the module (the class table's reference), so later requests get the same
// factory; outside references lock the module.

#include <windows.h>

namespace orn::com {

// DllGetClassObject for the FiscPrinter class id.
HRESULT GetClassFactory(REFIID riid, void** object);
// At module end: drops the module's own reference.
void ReleaseClassFactory();

}  // namespace orn::com
