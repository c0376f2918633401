#pragma once
// The device key the service targets open: "Ornita-OPOS-1" on COM1 at 4800 baud, operator
// password 30, cash and a card as payment types; the log goes to the memory files.

#include <string>

#include "platform/Registry.h"

namespace orn::fuzz {

inline constexpr char16_t kDeviceName[] = u"Ornita-OPOS-1";
inline constexpr char kDeviceKeyPath[] =
    "SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1";

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

}  // namespace orn::fuzz
