#pragma once
#include "platform/Clock.h"

namespace orn::platform {

class PosixClock : public Clock {
 public:
  uint32_t TickCount() override;
  void Sleep(uint32_t milliseconds) override;
  LocalTime Now() override;
};

}  // namespace orn::platform
