#include "Ornfr.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "config/DriverLog.h"
#include "device/DeviceErrors.h"
#include "device/DeviceStatus.h"
#include "device/FiscalDevice.h"
#include "device/ModelTable.h"
#include "device/ResultCodes.h"

namespace orn::ornfr {

namespace {

constexpr char kUsage[] =
    "usage: ornfr --port PATH|N [--baud N] [--password N] [--log FILE] status|type|find\n"
    "  status  the register's status, one 'name: value' line each\n"
    "  type    the device type, model family, category and line width\n"
    "  find    search the ports and baud rates for the register\n"
    "  --port      the serial port: a device path or a COM port number (1..32)\n"
    "  --baud      the configured baud rate (default 4800)\n"
    "  --password  the operator password (default 30)\n"
    "  --log       write the driver log to FILE\n"
    "exit status: 0 success, 2 usage, 3 register error, 4 no answer\n";

struct Options {
  std::string port;
  uint32_t baud = 4800;
  uint32_t password = 30;
  std::string logFile;
  std::string command;
};

bool ParseNumber(const char* text, uint32_t& value) {
  char* end = nullptr;
  const unsigned long number = std::strtoul(text, &end, 10);
  if (!*text || *end || number > 0xFFFFFFFFul) return false;
  value = uint32_t(number);
  return true;
}

// Returns an empty string on success, else what is wrong.
std::string Parse(int argc, const char* const* argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--port" && hasValue) {
      options.port = argv[++i];
    } else if (arg == "--baud" && hasValue) {
      if (!ParseNumber(argv[++i], options.baud)) return "bad --baud value";
    } else if (arg == "--password" && hasValue) {
      if (!ParseNumber(argv[++i], options.password)) return "bad --password value";
    } else if (arg == "--log" && hasValue) {
      options.logFile = argv[++i];
    } else if (arg == "status" || arg == "type" || arg == "find") {
      if (!options.command.empty()) return "more than one command";
      options.command = std::string(arg);
    } else {
      return "unknown argument '" + std::string(arg) + "'";
    }
  }
  if (options.port.empty()) return "--port is required";
  if (options.command.empty()) return "no command given";
  return {};
}

std::string Format(const char* format, unsigned a, unsigned b = 0, unsigned c = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

unsigned Word(const uint8_t* bytes) {
  return unsigned(bytes[0] | bytes[1] << 8);
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

int ReportFailure(const device::FiscalDevice& device, Environment& env) {
  const int code = device.ResultCode();
  env.err << "ornfr: " << code << " " << device::ResultCodeName(code) << ", extended "
          << device.ResultCodeExtended();
  if (!device.ErrorString().empty()) env.err << ": " << env.consoleText(device.ErrorString());
  env.err << "\n";
  return code == device::OPOS_E_TIMEOUT ? kExitNoAnswer : kExitRegisterError;
}

}  // namespace

int Run(int argc, const char* const* argv, Environment& env) {
  Options options;
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    env.out << kUsage;
    return kExitSuccess;
  }
  const std::string problem = Parse(argc, argv, options);
  if (!problem.empty()) {
    env.err << "ornfr: " << problem << "\n" << kUsage;
    return kExitUsage;
  }
  const int portNumber = env.resolvePort(options.port);
  if (portNumber < 1 || portNumber > 32) {
    env.err << "ornfr: unusable port '" << options.port << "'\n";
    return kExitUsage;
  }

  config::DriverLog log(env.files, env.clock);
  if (!options.logFile.empty()) {
    log.SetFileName(options.logFile);
    log.SetEnabled(true);
  }
  device::FiscalDevice device(env.ports, env.clock, log);
  device.SetConnection(portNumber, options.baud);
  device.SetPassword(options.password);

  if (options.command == "find") {
    if (!device.FindDevice()) return ReportFailure(device, env);
    env.out << "port: " << device.ComNumber() << "\n";
    env.out << "baud: " << device.Port().CurrentBaud() << "\n";
    return kExitSuccess;
  }
  if (!device.Connect(portNumber)) {
    // A port that cannot even be opened has no register error to show.
    if (!device.Port().IsOpen() && device.ResultCode() == device::OPOS_SUCCESS) {
      env.err << "ornfr: cannot open port '" << options.port << "'\n";
      return kExitNoAnswer;
    }
    return ReportFailure(device, env);
  }
  if (options.command == "status") {
    if (!device.GetStatus()) return ReportFailure(device, env);
    PrintStatus(device, env);
  } else {
    if (!device.GetDeviceType()) return ReportFailure(device, env);
    PrintType(device, env);
  }
  return kExitSuccess;
}

}  // namespace orn::ornfr
