#pragma once
// What the harness looks at in the registry from outside the bench: a key with its sub
// keys as text (to tell that nothing changed), the driver's own reading of a device key,
// and a key whose values the system refuses to change, as for a shop's cashier.

#include <windows.h>

#include <string>

namespace orn::ui {

// Every value of the key and of its sub keys, one "path\name=type:bytes" line each.
std::wstring KeyDump(const std::wstring& path);

// The device key as the driver's DriverParams reads it at OpenService: "ComNumber 29,
// BaudRate 115200, PayTypes Наличные=0 ...", or what failed.
std::wstring DriverReading(const std::wstring& deviceName);

// While it lives, the key's values cannot be set or deleted by anyone (an access control
// entry that denies it); the key's own rights come back afterwards.
class WritesRefused {
 public:
  explicit WritesRefused(const std::wstring& path);
  ~WritesRefused();
  WritesRefused(const WritesRefused&) = delete;
  WritesRefused& operator=(const WritesRefused&) = delete;
  bool Holds() const { return saved_.size() > 0; }

 private:
  std::wstring path_;
  std::string saved_;  // the key's security descriptor before
};

}  // namespace orn::ui
