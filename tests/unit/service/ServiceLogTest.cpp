// The driver log of whole calls, compared byte for byte with the lines written out by hand:
// time-stamped method names, parameter lines, every frame as hex rows of at most 20 bytes,
// register errors, and the result blocks.

#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

// A register of unknown model: it has no header or trailer lines to read and takes one
// start-up switch, so the whole claim fits on a page.
class ServiceLogTest : public ServiceFixture {
 protected:
  simulator::RegisterSimulator& Start() { return Attach(kUnknownModel); }
};

// The status answer of the simulated register at 15.01.2026 10:30:00: operator 30, firmware
// "10" build 100, document 1, flags D3 03 (paper and levers, two decimals), mode 4 (shift
// closed), fiscal memory "10" build 100, the date and time, register number 12345678
// (4E 61 BC 00), 2100 free fiscal memory records (34 08), identification 7701234567.
constexpr char kStatusExchange[] =
    "\r\n"
    "\t-> 11 1E 00 00 00 \r\n"
    "\t<- 11 00 1E 31 30 64 00 00 00 00 00 01 00 D3 03 04 00 00 31 30 \r\n"
    "\t<- 64 00 00 00 00 0F 01 1A 0A 1E 00 00 4E 61 BC 00 00 00 34 08 \r\n"
    "\t<- 00 00 87 83 07 CB 01 00 \r\n";

// Table 5, row `row`, field 1: a 36-byte text field (request of 45 bytes: 20, 20, 5).
std::string PaymentNameWrite(const char* row, const char* firstBytes) {
  return std::string("\r\n\t-> 1E 1E 00 00 00 05 ") + row + " 00 01 " + firstBytes +
         "\r\n\t-> 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 \r\n"
         "\t-> 00 00 00 00 00 \r\n"
         "\t<- 1E 00 \r\n";
}

TEST_F(ServiceLogTest, OpenAndClaimWriteTheCallsTheirFramesAndTheirResults) {
  Start();
  ASSERT_EQ(Open(), 0);
  memory_.clock.SetLocalTime({2026, 1, 15, 10, 31, 5, 250});
  ASSERT_EQ(service_.ClaimDevice(1000), 0);

  const std::string expected =
      std::string(
          "15.01.2026 10:30:00.000 Open service\r\n"
          "\tDeviceClass = FiscalPrinter\r\n"
          "\tDeviceName = Ornita-OPOS-1\r\n") +
      kStatusExchange +
      "\r\n"
      "\t0, OPOS_SUCCESS\r\n"
      "\r\n"
      "15.01.2026 10:31:05.250 Claim device\r\n"
      "\tTimeout = 1000\r\n"
      // GetDeviceType: type 0, subtype 0, protocol 1.0, model 20, Russian, "ОРНИТА-ФР".
      "\r\n"
      "\t-> FC \r\n"
      "\t<- FC 00 00 00 01 00 14 00 CE D0 CD C8 D2 C0 2D D4 D0 \r\n" +
      kStatusExchange +
      // Table 1, row 1, field 15 = 0.
      "\r\n"
      "\t-> 1E 1E 00 00 00 01 01 00 0F 00 \r\n"
      "\t<- 1E 00 \r\n" +
      PaymentNameWrite("02", "CA D0 C5 C4 C8 D2 00 00 00 00 00 ") +  // "КРЕДИТ"
      PaymentNameWrite("03", "D2 C0 D0 C0 00 00 00 00 00 00 00 ") +  // "ТАРА"
      PaymentNameWrite("04", "20 00 00 00 00 00 00 00 00 00 00 ") +  // empty: one blank
      "\r\n"
      "\t0, OPOS_SUCCESS\r\n"
      "\r\n";
  EXPECT_EQ(Log(), expected);
}

TEST_F(ServiceLogTest, AFailedOpenLogsTheRegistryErrorBeforeTheCall) {
  Start();
  ASSERT_EQ(Open(), 0);  // switches the log on
  memory_.clock.SetLocalTime({2026, 2, 3, 4, 5, 6, 7});
  const size_t before = Log().size();
  ASSERT_EQ(Open(u"Нет такого"), 403);
  EXPECT_EQ(Log().substr(before),
            "\tОшибка открытия ключа SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\"
            "Нет такого.\r\n"
            "\tКод ошибки: 2.\r\n"
            "03.02.2026 04:05:06.007 Open service\r\n"
            "\tDeviceClass = FiscalPrinter\r\n"
            "\tDeviceName = Нет такого\r\n"
            "\tОшибка чтения параметров реестра.\r\n"
            "\r\n"
            "\t403, OPOS_ORS_CONFIG\r\n"
            "\r\n");
}

TEST_F(ServiceLogTest, ARegisterErrorEndsTheCallWithBothResultLines) {
  simulator::RegisterSimulator& sim = Start();
  ASSERT_EQ(Open(), 0);
  memory_.clock.SetLocalTime({2026, 1, 15, 12, 0, 0, 0});
  // The next command (GetDeviceType) is refused as not supported.
  sim.Faults().deviceErrors.push_back({sim.Counters().framesReceived + 1, 0x37});
  const size_t before = Log().size();
  ASSERT_EQ(service_.ClaimDevice(0), 114);
  EXPECT_EQ(Log().substr(before),
            "15.01.2026 12:00:00.000 Claim device\r\n"
            "\tTimeout = 0\r\n"
            "\r\n"
            "\t-> FC \r\n"
            "\t<- FC 37 \r\n"
            "\tОшибка: 37h, Команда не поддерживается в данной реализации ФР\r\n"
            "\r\n"
            "\t114, OPOS_E_EXTENDED\r\n"
            "\r\n"
            "\r\n"
            "\tResultCodeExtended: 355, Ошибка ФР: Команда не поддерживается в данной "
            "реализации ФР\r\n"
            "\r\n");
}

}  // namespace
}  // namespace orn::testing
