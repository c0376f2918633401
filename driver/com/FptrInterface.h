#pragma once
// IFptr and the product's GUIDs as widl declares them. Include this, not FPTRLib.h:
// <windows.h> renames OpenService to the service manager's OpenServiceA, which would rename
// the IFptr method in some files and not in others, and the FptrService member that the
// portable core compiles without <windows.h>.

#include <windows.h>
#undef OpenService

#include "FPTRLib.h"
