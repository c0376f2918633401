#pragma once
// The mock service object the control's tests open: a COM server DLL of its own
// (MockService.dll) that answers the standard service object's method names and records
// every name asked and every call made, with its arguments. The tests set its behaviour
// and read its record through the DLL's exports.

#include <windows.h>

#include <oaidl.h>

// ProgID "OrnTest.MockService".
#define ORN_MOCK_CLSID_TEXT L"{B966A390-1F6E-44E9-9CC1-39BCB0C8A699}"

struct MockConfig {
  long version = 1016000;                // what GetPropertyNumber(ServiceObjectVersion) gives
  const wchar_t* missingName = nullptr;  // a method name the mock does not answer
  bool shortNames = false;               // answers Claim, Close, Release instead of
                                         // ClaimDevice, CloseService, ReleaseDevice
  bool hasGetOpenResult = true;
  long openServiceResult = 0;
  long openResult = 0;                     // what GetOpenResult gives
  const wchar_t* failingMethod = nullptr;  // a method whose Invoke fails with E_FAIL
  long methodResult = 0;                   // what the other methods return
};

// Exports of MockService.dll.
using MockConfigureFn = void(__stdcall*)(const MockConfig* config);  // also clears the record
using MockRecordFn = const wchar_t*(__stdcall*)();  // one line per name asked or call made
using MockCallerFn = IDispatch*(__stdcall*)();      // the dispatch OpenService was given
