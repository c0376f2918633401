#pragma once
// Where the state that must outlive the process is kept: the device's Params key in the
// registry and its sub keys. Writes go through at once; a new object reads them back.
// A failed write fails no method: the held value is the one the driver works with. The first
// failure is kept, so that the service can say once in its log, and in its health check,
// that the state would not survive a crash (a cashier's account that may not write the key).
// The receipt state and the device's unsettled command both write through it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "config/DriverParams.h"
#include "platform/Registry.h"

namespace orn::receipt {

class StateStore {
 public:
  struct Failure {
    long code = 0;        // the OS error of the write
    std::string keyPath;  // under HKEY_LOCAL_MACHINE
  };

  // The key is found through `params`, whose paths are set by ReadDeviceParams. Before a
  // device is opened there is no key: nothing is written or read.
  StateStore(platform::Registry& registry, const config::DriverParams& params);

  // `subKey` is "" for the Params key itself, else "\\Name" of one of its sub keys, created
  // when missing.
  void WriteDword(const char* subKey, const char* name, uint32_t value);
  void WriteString(const char* subKey, const char* name, const std::string& text);
  // Calls `read` with the key opened for reading; false, without calling it, when there is
  // no such key.
  bool Read(const char* subKey,
            const std::function<void(platform::Registry&, platform::RegKey)>& read);

  // The first write that failed since the device was opened.
  const std::optional<Failure>& Failed() const { return failure_; }
  // That failure once, the first time it is asked for; nothing after.
  std::optional<Failure> FailureToReport();
  // As a new object: no failure seen.
  void ForgetFailure();

 private:
  // `set` writes into the key (created when missing) and returns the OS code.
  void Write(const char* subKey, const std::function<long(platform::RegKey)>& set);

  platform::Registry& registry_;
  const config::DriverParams& params_;
  std::optional<Failure> failure_;
  bool failureReported_ = false;
};

}  // namespace orn::receipt
