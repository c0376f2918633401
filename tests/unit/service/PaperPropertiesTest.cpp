// The paper properties of each station report that station's own sensor: a journal near
// its end is no receipt near its end, and the other way round.

#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

constexpr int32_t kJrnNearEnd = 16015;
constexpr int32_t kRecNearEnd = 16024;

class PaperPropertiesTest : public ServiceFixture {
 protected:
  void SetUp() override {
    sim_ = &Attach();
    OpenAndClaim();
  }
  // The register's near-end sensors; RecNearEnd asks for the status, JrnNearEnd reads it.
  void NearEnd(bool journal, bool receipt) {
    uint16_t& flags = sim_->State().flags;
    flags =
        uint16_t(flags | simulator::flag::kJournalNotNearEnd | simulator::flag::kReceiptNotNearEnd);
    if (journal) flags = uint16_t(flags & ~simulator::flag::kJournalNotNearEnd);
    if (receipt) flags = uint16_t(flags & ~simulator::flag::kReceiptNotNearEnd);
  }
  simulator::RegisterSimulator* sim_ = nullptr;
};

TEST_F(PaperPropertiesTest, EachStationsNearEndIsItsOwn) {
  NearEnd(true, false);
  EXPECT_EQ(Number(kRecNearEnd), 0);
  EXPECT_EQ(Number(kJrnNearEnd), 1);
  NearEnd(false, true);
  EXPECT_EQ(Number(kRecNearEnd), 1);
  EXPECT_EQ(Number(kJrnNearEnd), 0);
  NearEnd(false, false);
  EXPECT_EQ(Number(kRecNearEnd), 0);
  EXPECT_EQ(Number(kJrnNearEnd), 0);
}

}  // namespace
}  // namespace orn::testing
