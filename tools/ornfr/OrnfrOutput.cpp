#include "OrnfrOutput.h"

#include <cstdio>
#include <string>

#include "device/DeviceErrors.h"
#include "device/DeviceStatus.h"
#include "device/ModelTable.h"
#include "device/ResultCodes.h"

namespace orn::ornfr {

namespace {

std::string Format(const char* format, unsigned a, unsigned b = 0, unsigned c = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

unsigned Word(const uint8_t* bytes) {
  return unsigned(bytes[0] | bytes[1] << 8);
}

}  // namespace

int ReportFailure(const device::FiscalDevice& device, Environment& env) {
  const int code = device.ResultCode();
  env.err << "ornfr: " << code << " " << device::ResultCodeName(code) << ", extended "
          << device.ResultCodeExtended();
  if (!device.ErrorString().empty()) env.err << ": " << env.consoleText(device.ErrorString());
  env.err << "\n";
  return code == device::OPOS_E_TIMEOUT ? kExitNoAnswer : kExitRegisterError;
}

void PrintStatus(const device::FiscalDevice& device, Environment& env) {
  namespace st = device::status;
  const uint8_t* s = device.StatusBlock();
  const uint8_t modeByte = s[st::kMode];
  const unsigned long long id = (unsigned long long)(Word(s + st::kIdentification)) |
                                (unsigned long long)(Word(s + st::kIdentification + 2)) << 16 |
                                (unsigned long long)(Word(s + st::kIdentification + 4)) << 32;
  auto line = [&](const char* name, const std::string& value) {
    env.out << name << ": " << env.consoleText(value) << "\n";
  };
  line("operator", Format("%u", s[st::kOperator]));
  line("firmware version", Format("%c.%c", s[st::kFirmwareVersion], s[st::kFirmwareVersion + 1]));
  line("firmware build", Format("%u", Word(s + st::kFirmwareBuild)));
  line("document number", Format("%u", Word(s + st::kDocumentNumber)));
  line("flags", Format("%04Xh", device.Flags()));
  line("mode", Format("%u", device::mode::Number(modeByte)));
  line("mode detail", Format("%u", device::mode::Detail(modeByte)));
  line("submode", Format("%u ", s[st::kSubmode]) + device::SubmodeText(s[st::kSubmode]));
  line("fiscal memory firmware version",
       Format("%c.%c", s[st::kMemoryFirmwareVersion], s[st::kMemoryFirmwareVersion + 1]));
  line("fiscal memory firmware build", Format("%u", Word(s + st::kMemoryFirmwareBuild)));
  line("date", Format("%02u.%02u.", s[st::kDate], s[st::kDate + 1]) +
                   Format("%04u", 2000u + s[st::kDate + 2]));
  line("time", Format("%02u:%02u:%02u", s[st::kTime], s[st::kTime + 1], s[st::kTime + 2]));
  line("fiscal memory flags", Format("%02Xh", s[st::kMemoryFlags]));
  line("register number", std::to_string(Word(s + st::kRegisterNumber) |
                                         (unsigned long)Word(s + st::kRegisterNumber + 2) << 16));
  line("last closed shift", Format("%u", Word(s + st::kLastClosedShift)));
  line("free fiscal memory records", Format("%u", Word(s + st::kFreeMemoryRecords)));
  line("identification number", std::to_string(id));
  line("currency divisor", Format("%u", device.CurrencyDivisor()));
}

void PrintType(const device::FiscalDevice& device, Environment& env) {
  const device::DeviceType& type = device.Type();
  env.out << "type: " << unsigned(type.type) << "\n"
          << "subtype: " << unsigned(type.subtype) << "\n"
          << "protocol: " << unsigned(type.protocolVersion) << "."
          << unsigned(type.protocolSubversion) << "\n"
          << "model: " << unsigned(type.model) << "\n"
          << "language: " << unsigned(type.language) << "\n"
          << "name: " << env.consoleText(type.name) << "\n"
          << "model family: " << device.ModelFamily() << "\n"
          << "model category: " << device.ModelCategory() << "\n"
          << "line width: " << device::LineWidthForCategory(device.ModelCategory()) << "\n";
}

}  // namespace orn::ornfr
