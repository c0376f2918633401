#pragma once
// `ornfr receipt`: a sales receipt through the service object itself, the calls a
// point-of-sale application makes, on this computer's port and a device key kept in memory.

#include <cstdint>
#include <string>

#include "Ornfr.h"

namespace orn::ornfr {

struct ReceiptOptions {
  int portNumber = 0;
  uint32_t baud = 4800;
  uint32_t password = 30;
  std::string logFile;  // the driver log's file, none when empty
};

// Prints every call with its result; returns the exit status.
int RunReceipt(const ReceiptOptions& options, Environment& env);

}  // namespace orn::ornfr
