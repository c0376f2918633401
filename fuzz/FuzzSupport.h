#pragma once
// What the service targets share: the device key they open, a service object with a
// register simulator on COM1 on the memory bundle, and the check of a property a target
// asserts (a broken one aborts, which libFuzzer reports as a finding).

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Registry.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"
#include "service/FptrService.h"
#include "simulator/RegisterSimulator.h"

namespace orn::fuzz {

inline constexpr char16_t kDeviceClass[] = u"FiscalPrinter";
inline constexpr char16_t kDeviceName[] = u"Ornita-OPOS-1";
inline constexpr char kDeviceKeyPath[] =
    "SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1";

inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

// "Ornita-OPOS-1" on COM1 at 4800 baud, operator password 30, cash and a card as payment
// types; the log goes to the memory files.
inline void WriteDeviceKey(platform::Registry& registry, bool codepage866) {
  platform::RegKey key = platform::kNoKey;
  registry.CreateKey(kDeviceKeyPath, platform::RegAccess::kReadWrite, key);
  registry.SetDword(key, "Codepage866", codepage866 ? 1 : 0);
  registry.SetDword(key, "ComNumber", 1);
  registry.SetDword(key, "BaudRate", 4800);
  registry.SetDword(key, "Password", 30);
  registry.SetDword(key, "PasswordNI", 0);
  for (const char* name :
       {"SubtotalName", "CloseRecText", "PayTypeName2", "PayTypeName3", "PayTypeName4"})
    registry.SetString(key, name, "");
  registry.CloseKey(key);
  registry.CreateKey(std::string(kDeviceKeyPath) + "\\PayTypes", platform::RegAccess::kReadWrite,
                     key);
  registry.SetDword(key, "Cash", 0);
  registry.SetDword(key, "Card", 3);
  registry.CloseKey(key);
}

// Made fresh for every input, so that no state leaks from one input into the next.
struct ServiceOnSimulator {
  ServiceOnSimulator() : ports(memory.clock), service(memory.Bundle(), ports) {
    ports.Attach(1, reg);
  }
  int32_t Open() { return service.OpenService(kDeviceClass, kDeviceName, nullptr); }

  platform::MemoryPlatform memory;
  simulator::RegisterSimulator reg;
  platform::MemoryPortProvider ports;
  service::FptrService service;
};

}  // namespace orn::fuzz
