// CheckHealth against the simulated register: the internal check lists what the status
// reports as wrong (the findings never fail the check), the external one runs a test print.

#include "device/ResultCodes.h"
#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

constexpr int32_t kCheckHealthText = 1000001;

class HealthCheckTest : public ServiceFixture {
 protected:
  simulator::RegisterSimulator& Start(uint8_t model = 0) {
    simulator::RegisterSimulator& sim = Attach(model);
    OpenAndClaim();
    return sim;
  }
};

TEST_F(HealthCheckTest, AHealthyRegisterIsOk) {
  Start();
  EXPECT_EQ(service_.CheckHealth(1), 0);
  EXPECT_EQ(Ansi(kCheckHealthText), "Internal HCheck: OK.");
}

TEST_F(HealthCheckTest, ReceiptPaperOutIsAFindingNotAFailure) {
  simulator::RegisterSimulator& sim = Start();
  sim.TakePaper(simulator::Station::kReceipt);
  EXPECT_EQ(service_.CheckHealth(1), 0);
  EXPECT_EQ(Ansi(kCheckHealthText), "Internal HCheck: \r\nНет чековой ленты.");
}

TEST_F(HealthCheckTest, FindingsAreListedInTheirOrder) {
  simulator::RegisterSimulator& sim = Start();
  sim.State().flags = 0;  // no paper anywhere, levers up, both near their end
  sim.State().fiscalMemoryFlags = 0xFF;
  EXPECT_EQ(service_.CheckHealth(1), 0);
  EXPECT_EQ(Ansi(kCheckHealthText),
            "Internal HCheck: "
            "\r\nНет контрольной ленты."
            "\r\nКонтрольная лента близка к концу."
            "\r\nРычаг термоголовки контрольной ленты поднят."
            "\r\nНет чековой ленты."
            "\r\nЧековая лента близка к концу."
            "\r\nРычаг термоголовки чековой ленты поднят."
            "\r\nПереполнение ФП."
            "\r\nБатарея ФП разряжена."
            "\r\nПоследняя запись ФП разрушена."
            "\r\n24 часа в ФП кончились.");
}

struct Finding {
  uint16_t flagsCleared;
  uint16_t flagsSet;
  uint8_t memoryFlags;
  const char* text;
};

class FindingTest : public HealthCheckTest, public ::testing::WithParamInterface<Finding> {};

TEST_P(FindingTest, EachFindingHasItsLine) {
  simulator::RegisterSimulator& sim = Start();
  sim.State().flags =
      uint16_t((sim.State().flags & ~GetParam().flagsCleared) | GetParam().flagsSet);
  sim.State().fiscalMemoryFlags = GetParam().memoryFlags;
  EXPECT_EQ(service_.CheckHealth(1), 0);
  EXPECT_EQ(Ansi(kCheckHealthText), std::string("Internal HCheck: \r\n") + GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, FindingTest,
    ::testing::Values(
        Finding{simulator::flag::kJournalPaper, 0, 0, "Нет контрольной ленты."},
        Finding{simulator::flag::kJournalNotNearEnd, 0, 0, "Контрольная лента близка к концу."},
        Finding{simulator::flag::kJournalLeverDown, 0, 0,
                "Рычаг термоголовки контрольной ленты поднят."},
        Finding{simulator::flag::kReceiptNotNearEnd, 0, 0, "Чековая лента близка к концу."},
        Finding{simulator::flag::kReceiptLeverDown, 0, 0,
                "Рычаг термоголовки чековой ленты поднят."},
        Finding{0, simulator::flag::kRightSensorFailed, 0, "Отказ правого датчика принтера."},
        Finding{0, simulator::flag::kLeftSensorFailed, 0, "Отказ левого датчика принтера."},
        Finding{0, simulator::flag::kJournalUnitAlmostFull, 0, "ЭКЛЗ почти заполнена."},
        Finding{0, 0, simulator::kFiscalMemoryOverflow, "Переполнение ФП."},
        Finding{0, 0, simulator::kFiscalMemoryBatteryLow, "Батарея ФП разряжена."},
        Finding{0, 0, simulator::kFiscalMemoryLastRecordDamaged, "Последняя запись ФП разрушена."},
        Finding{0, 0, simulator::kFiscalMemoryShiftOver24Hours, "24 часа в ФП кончились."}));

TEST_F(HealthCheckTest, SensorsTheModelLacksAreNotReported) {
  // Category 6: no journal, no receipt near-end sensor, no receipt lever sensor.
  simulator::RegisterSimulator& sim = Start(7);
  sim.State().flags = simulator::flag::kReceiptPaper;
  EXPECT_EQ(service_.CheckHealth(1), 0);
  EXPECT_EQ(Ansi(kCheckHealthText), "Internal HCheck: OK.");
}

TEST_F(HealthCheckTest, ASilentRegisterFailsTheInternalCheck) {
  simulator::RegisterSimulator& sim = Start();
  sim.Faults().silent = true;
  EXPECT_EQ(service_.CheckHealth(1), device::OPOS_E_TIMEOUT);
  EXPECT_EQ(Ansi(kCheckHealthText), "Internal HCheck: ");
}

TEST_F(HealthCheckTest, TheExternalCheckRunsAndEndsTheTestPrint) {
  simulator::RegisterSimulator& sim = Start();
  EXPECT_EQ(service_.CheckHealth(2), 0);
  EXPECT_EQ(Ansi(kCheckHealthText), "External HCheck: OK.");
  EXPECT_EQ(RequestsLogged("19"), 1);
  EXPECT_EQ(RequestsLogged("2B"), 1);
  EXPECT_EQ(sim.State().mode & 0x0F, simulator::kModeShiftClosed);
  EXPECT_EQ(sim.Printed(simulator::Station::kReceipt).back().find("ТЕСТОВЫЙ ПРОГОН ЗАВЕРШЕН") !=
                std::string::npos,
            true);
}

TEST_F(HealthCheckTest, AnExternalCheckInTestModeOnlyEndsIt) {
  simulator::RegisterSimulator& sim = Start();
  sim.State().mode = simulator::kModeTestRun;
  EXPECT_EQ(service_.CheckHealth(2), 0);
  EXPECT_EQ(RequestsLogged("19"), 0);
  EXPECT_EQ(RequestsLogged("2B"), 1);
}

TEST_F(HealthCheckTest, AFailedExternalCheckShowsTheRegistersText) {
  simulator::RegisterSimulator& sim = Start();
  sim.State().mode = simulator::kModeReceiptOpen;  // no test print inside a receipt
  EXPECT_EQ(service_.CheckHealth(2), device::OPOS_E_EXTENDED);
  EXPECT_EQ(Ansi(kCheckHealthText), "External HCheck: " + service_.Device().ErrorString());
  EXPECT_FALSE(service_.Device().ErrorString().empty());
}

TEST_F(HealthCheckTest, OtherLevelsAreIllegalAndKeepTheLastText) {
  Start();
  ASSERT_EQ(service_.CheckHealth(1), 0);
  EXPECT_EQ(service_.CheckHealth(3), device::OPOS_E_ILLEGAL);
  EXPECT_EQ(service_.CheckHealth(-5), device::OPOS_E_ILLEGAL);
  EXPECT_EQ(Ansi(kCheckHealthText), "Internal HCheck: OK.");
  EXPECT_NE(Log().find("\tМетод CheckHealth с параметром OPOS_CH_INTERACTIVE не реализован.\r\n"),
            std::string::npos);
  EXPECT_NE(Log().find("\tМетод CheckHealth. Неверное значение параметра Level (-5).\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace orn::testing
