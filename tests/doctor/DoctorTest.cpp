// ornfr doctor's checks of the register, the log and the receipt state, on the memory
// bundle with a simulated register on COM1: the states a technician meets at a register,
// each told on its line, and whether a receipt can go through.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "Doctor.h"
#include "InProcessDoctorSystem.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"
#include "simulator/RegisterSimulator.h"
#include "simulator/RegisterState.h"

namespace orn::ornfr {
namespace {

constexpr char kDeviceKey[] = "SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1";
constexpr char kDriverKey[] =
    "SOFTWARE\\Ornita\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1";
constexpr char kLogFile[] = "C:\\Ornita\\FiscalPrinter.log";

class DoctorTest : public ::testing::Test {
 protected:
  DoctorTest() : ports_(memory_.clock) {
    // The sample device file, as the installer writes it, at the simulator's rate.
    std::ifstream file(ORN_SAMPLE_REG_FILE, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_TRUE(memory_.registry.ImportReg(text.str()));
    SetDword(kDeviceKey, "BaudRate", 4800);
    SetDword(kDriverKey, "LogEnabled", 1);
    SetString(kDriverKey, "LogFileName", kLogFile);
    SetDword(kDriverKey, "LogFileMaxSize", 2);
  }

  simulator::RegisterState& Register() { return config_.state; }

  // Runs `ornfr doctor` with the register as configured so far; returns the exit status.
  int Doctor() {
    register_ = std::make_unique<simulator::RegisterSimulator>(config_);
    ports_.Attach(1, *register_);
    out_.str("");
    auto same = [](const std::string& text) { return text; };
    Environment env{ports_, memory_.clock, memory_.files, nullptr, same, same, out_, out_};
    const char* argv[] = {"ornfr", "doctor"};
    return RunDoctor(2, argv, env, [&](const DoctorOptions&, std::string&) {
      return std::make_unique<InProcessDoctorSystem>(memory_.Bundle(), ports_, "реестр");
    });
  }
  // The line of check `number`: its number follows the verdict, padded to 12 characters.
  std::string Line(int number) const {
    std::istringstream lines(out_.str());
    const std::string wanted = std::to_string(number) + ". ";
    for (std::string line; std::getline(lines, line);)
      if (line.size() > 12 && line.compare(12, wanted.size(), wanted) == 0) return line;
    return "";
  }

  void SetDword(const std::string& path, const char* name, uint32_t value) {
    platform::RegKey key = platform::kNoKey;
    ASSERT_EQ(memory_.registry.CreateKey(path, platform::RegAccess::kWrite, key), 0);
    memory_.registry.SetDword(key, name, value);
    memory_.registry.CloseKey(key);
  }
  void SetString(const std::string& path, const char* name, const std::string& value) {
    platform::RegKey key = platform::kNoKey;
    ASSERT_EQ(memory_.registry.CreateKey(path, platform::RegAccess::kWrite, key), 0);
    memory_.registry.SetString(key, name, value);
    memory_.registry.CloseKey(key);
  }

  platform::MemoryPlatform memory_;
  platform::MemoryPortProvider ports_;
  simulator::SimulatorConfig config_;
  std::unique_ptr<simulator::RegisterSimulator> register_;
  std::ostringstream out_;
};

TEST_F(DoctorTest, AHealthyRegisterPassesEveryCheck) {
  EXPECT_EQ(Doctor(), 0) << out_.str();
  EXPECT_EQ(Line(4),
            "[ОК]        4. OpenService: служебный объект (код драйвера в этом процессе) вернул 0, "
            "OpenResult 0 (устройство открыто).");
  EXPECT_EQ(Line(5), "[ОК]        5. Порт COM1: открывается, ФР отвечает на 4800 бод.");
  EXPECT_EQ(Line(6),
            "[ОК]        6. Состояние ФР: режим 4 (смена закрыта), подрежим 0 (бумага есть); ленты "
            "на месте; часы ФР 15.01.2026 10:30, как у компьютера.");
  EXPECT_EQ(Line(7), std::string("[ОК]        7. Журнал драйвера: включён: ") + kLogFile +
                         ", до 2 МБ, запись возможна.");
}

TEST_F(DoctorTest, AReceiptLeftOpenIsAWarningTheApplicationSettles) {
  Register().mode = 0x18;  // a purchase receipt
  EXPECT_EQ(Doctor(), 0) << out_.str();
  EXPECT_EQ(Line(6).find("[ВНИМАНИЕ]  6. Состояние ФР: режим 8 (открыт чек: покупка)"), 0u);
  EXPECT_NE(Line(6).find("в ФР открыт чек"), std::string::npos) << Line(6);
}

TEST_F(DoctorTest, NoReceiptPaperStopsAReceipt) {
  Register().flags &= uint16_t(~simulator::flag::kReceiptPaper);
  EXPECT_EQ(Doctor(), kExitDoctorFound);
  EXPECT_EQ(Line(6).find("[ОШИБКА]    6. "), 0u) << Line(6);
  EXPECT_NE(Line(6).find("; Нет чековой ленты; "), std::string::npos) << Line(6);
  EXPECT_NE(Line(6).find("Что делать: заправьте бумагу."), std::string::npos) << Line(6);
}

TEST_F(DoctorTest, ARegisterLockedForTheTaxInspectorNeedsHisPasswordInTheKey) {
  Register().mode = 5;
  EXPECT_EQ(Doctor(), 0) << out_.str();  // the sample key has PasswordNI
  EXPECT_NE(Line(6).find("драйвер введёт PasswordNI при ClaimDevice"), std::string::npos)
      << Line(6);

  memory_.registry.DeleteValue(kDeviceKey, "PasswordNI");
  EXPECT_EQ(Doctor(), kExitDoctorFound);
  EXPECT_NE(Line(6).find("[ОШИБКА]    6. Состояние ФР: режим 5 (блокировка до ввода пароля "
                         "налогового инспектора)"),
            std::string::npos)
      << Line(6);
}

TEST_F(DoctorTest, ARegisterClockFarFromTheComputersIsMentioned) {
  Register().clockAtStart = {2025, 1, 15, 10, 30, 0, 0};
  EXPECT_EQ(Doctor(), 0) << out_.str();
  EXPECT_NE(Line(6).find("часы ФР 15.01.2025 10:30, у компьютера 15.01.2026 10:30. Что делать: "
                         "установите время ФР"),
            std::string::npos)
      << Line(6);
}

TEST_F(DoctorTest, AWrongOperatorPasswordIsNamedAndNotTakenForSilence) {
  Register().operatorPassword = 99;
  EXPECT_EQ(Doctor(), kExitDoctorFound);
  EXPECT_EQ(Line(5),
            "[ОШИБКА]    5. Порт COM1: ФР отвечает ошибкой: Неверный пароль. Что делать: "
            "проверьте значение Password (пароль оператора).");
  EXPECT_NE(Line(6).find("[ПРОПУЩЕНО]"), std::string::npos);
}

// OpenService's own search finds it and moves it to the key's rate, as it would for the
// point of sale; the port's check then finds it where the key says.
TEST_F(DoctorTest, ARegisterAtAnotherRateIsMovedToTheKeysRateByOpenService) {
  config_.baudRate = 19200;
  EXPECT_EQ(Doctor(), 0) << out_.str();
  EXPECT_EQ(register_->BaudRate(), 4800u);
  EXPECT_EQ(Line(5), "[ОК]        5. Порт COM1: открывается, ФР отвечает на 4800 бод.");
}

TEST_F(DoctorTest, AStateKeyTheCashierCannotWriteMattersAfterACrash) {
  SetDword(std::string(kDeviceKey) + "\\Params", "PrinterState", 1);
  memory_.registry.SetReadOnly(std::string(kDeviceKey) + "\\Params", true);
  EXPECT_EQ(Doctor(), 0) << out_.str();
  EXPECT_NE(Line(8).find("[ВНИМАНИЕ]  8. Состояние чека: ключ HKLM\\" + std::string(kDeviceKey) +
                         "\\Params не открывается на запись (код 5): после сбоя кассы состояние "
                         "открытого чека не сохранится"),
            std::string::npos)
      << Line(8);
}

TEST_F(DoctorTest, ALogSwitchedOffIsSaidSoAndNothingOfTheDoctorsGoesIntoIt) {
  EXPECT_EQ(Doctor(), 0);
  // OpenService writes the driver's own lines; the doctor's probes of the register do not.
  const std::string log = memory_.files.Contents(kLogFile);
  EXPECT_NE(log.find(" Open service\r\n"), std::string::npos);
  EXPECT_EQ(log.substr(log.rfind(" Close service\r\n")).find("\t-> "), std::string::npos);

  SetDword(kDriverKey, "LogEnabled", 0);
  EXPECT_EQ(Doctor(), 0);
  EXPECT_EQ(Line(7), "[ОК]        7. Журнал драйвера: выключен (LogEnabled = 0).");
}

}  // namespace
}  // namespace orn::ornfr
