// The registry readers: the device key of "Ornita-OPOS-1", its PayTypes and Params\CheckSumm
// sub keys and the driver's own key hold whatever values the fuzz input writes, and a
// service object opens the device (DriverParams, the payment types, the log settings, the
// persisted receipt state), is claimed against a register simulator and closed again.
//
// Input: records until it ends, each a key byte (which of the five keys, modulo 5), a type
// byte (0 REG_SZ, 1 REG_DWORD, any other the type as it is), a name length byte and the
// name, a data length byte and the data. Names may repeat: the last value written stands.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

namespace {

using namespace orn;

constexpr const char* kKeySuffixes[] = {"", "\\PayTypes", "\\Params", "\\Params\\CheckSumm"};
constexpr size_t kKeyCount = std::size(kKeySuffixes) + 1;  // and the driver key

std::string KeyPath(size_t index) {
  if (index == std::size(kKeySuffixes))
    return "SOFTWARE\\Ornita\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1";
  return std::string(fuzz::kDeviceKeyPath) + kKeySuffixes[index];
}

// Consumes a length byte and that many bytes (fewer when the input ends first).
std::string Counted(const uint8_t* data, size_t size, size_t& at) {
  if (at >= size) return {};
  const size_t wanted = data[at++];
  const size_t count = std::min(wanted, size - at);
  std::string bytes(reinterpret_cast<const char*>(data + at), count);
  at += count;
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ServiceOnSimulator on;
  platform::MemoryRegistry& registry = on.memory.registry;
  for (size_t at = 0; at + 2 <= size;) {
    const size_t keyIndex = data[at++] % kKeyCount;
    const uint8_t typeByte = data[at++];
    const uint32_t type = typeByte == 0   ? platform::kRegSz
                          : typeByte == 1 ? platform::kRegDword
                                          : typeByte;
    const std::string name = Counted(data, size, at);
    const std::string value = Counted(data, size, at);
    platform::RegKey key = platform::kNoKey;
    if (registry.CreateKey(KeyPath(keyIndex), platform::RegAccess::kReadWrite, key) !=
        platform::kErrorSuccess)
      continue;
    registry.SetValue(key, name.c_str(), type, reinterpret_cast<const uint8_t*>(value.data()),
                      uint32_t(value.size()));
    registry.CloseKey(key);
  }

  service::FptrService& service = on.service;
  if (on.Open() != 0) return 0;
  if (service.ClaimDevice(1000) == 0) {
    std::u16string text;
    service.GetPropertyString(1000003, text);  // the device name, through the code page
    service.ReleaseDevice();
  }
  service.CloseService();
  return 0;
}
