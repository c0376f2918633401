#pragma once
// The bench's own faults (a field that does not convert, a failed control creation, a
// failing COM call) travel as this exception up to the page operation, which shows it in a
// message box. OPOS result codes are never errors: they are shown in the result panel.

#include <string>

namespace orn::bench {

struct BenchError {
  std::wstring message;
};

// The system's text for a Win32 error code or an HRESULT; empty when it has none.
std::wstring SystemMessage(unsigned long code);
// Throws a BenchError whose message is the system's text for a failing HRESULT.
[[noreturn]] void ThrowHresult(long hr);
// Throws when hr is a failure.
inline void Check(long hr) {
  if (hr < 0) ThrowHresult(hr);
}

}  // namespace orn::bench
