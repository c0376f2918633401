// A fiscal memory report the register refuses (its own error, say a range it has no
// shifts for) is reported as refused, never as printed.

#include "DocumentFixture.h"

namespace orn::testing {
namespace {

using namespace service;

class ReportRefusalsTest : public DocumentFixture {
 protected:
  void SetUp() override {
    Attach();
    AllowFiscalReports();
    Start();
  }
};

TEST_F(ReportRefusalsTest, AReportByShiftsTheRegisterRefusesFails) {
  FailCommand(1, 0x33);
  EXPECT_EQ(Fptr().PrintReport(FPTR_RT_ORDINAL, u"1", u"2"), device::OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 300 + 0x33);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
}

TEST_F(ReportRefusalsTest, AReportByDatesTheRegisterRefusesFails) {
  FailCommand(1, 0x33);
  EXPECT_EQ(Fptr().PrintReport(FPTR_RT_DATE, u"010120260000", u"020120260000"),
            device::OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 300 + 0x33);
  FailCommand(1, 0x33);
  EXPECT_EQ(Fptr().PrintPeriodicTotalsReport(u"010120260000", u"020120260000"),
            device::OPOS_E_EXTENDED);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
}

}  // namespace
}  // namespace orn::testing
