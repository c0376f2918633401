// A health check the register itself refuses: the technician reads the register's own
// error in the check text, not an empty line.

#include "device/ResultCodes.h"
#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

class HealthCheckErrorsTest : public ServiceFixture {
 protected:
  static constexpr int32_t kCheckHealthTextIndex = 1000001;
};

TEST_F(HealthCheckErrorsTest, ARefusedStatusRequestNamesTheRegistersError) {
  simulator::RegisterSimulator& sim = Attach();
  OpenAndClaim();
  sim.Faults().deviceErrors.push_back({sim.Counters().framesReceived + 1, 0x4F});
  EXPECT_EQ(service_.CheckHealth(1), device::OPOS_E_EXTENDED);
  const std::string error = service_.Device().ErrorString();
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Ansi(kCheckHealthTextIndex), "Internal HCheck: " + error);
}

}  // namespace
}  // namespace orn::testing
