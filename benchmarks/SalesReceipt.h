#pragma once
// The receipt every speed figure is measured on: twenty items in the four tax groups, a
// subtotal, cash and a card, through FptrService as a point-of-sale application calls it.
// Also the device configuration it runs under.

#include <cstdint>
#include <string>

#include "service/FptrService.h"

namespace orn::benchmarks {

inline constexpr int kReceiptItems = 20;
inline constexpr uint32_t kOperatorPassword = 30;

// REGEDIT4 text of the device "Ornita-OPOS-1" on COM1 at `baudRate`, with cash and a card
// as payment types, and the driver's log on or off.
std::string DeviceConfiguration(uint32_t baudRate, bool logEnabled);

// Opens and claims the device; false when either fails.
bool OpenAndClaim(service::FptrService& service);

// The receipt from BeginFiscalReceipt to EndFiscalReceipt; false at the first OPOS result
// that is not success.
bool SellReceipt(service::FptrService& service);

}  // namespace orn::benchmarks
