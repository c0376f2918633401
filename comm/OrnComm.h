#pragma once
// OrnComm.dll: hands out open COM port handles by port number. Exported by ordinal only;
// the driver imports both functions by ordinal.

#include <windows.h>

#ifdef ORNCOMM_BUILD
#define ORNCOMM_API extern "C" __declspec(dllexport)
#else
#define ORNCOMM_API extern "C" __declspec(dllimport)
#endif

// Ordinal 1: opens \\.\COMn (1..32) if not yet open and stores its handle in *handle.
// Returns non-zero on success; zero with CreateFile's error when the open fails, with none
// when the port is handed out already, and with ERROR_BUSY while another open of it runs.
// Opens of different ports may run at once.
ORNCOMM_API BOOL WINAPI OrnCommAcquire(int portNumber, HANDLE* handle);
// Ordinal 2: closes the handle handed out for the port. Returns non-zero when one was held.
ORNCOMM_API BOOL WINAPI OrnCommRelease(int portNumber);
