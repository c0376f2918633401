#include "Ornfr.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

#include "LogExplain.h"
#include "OrnfrOutput.h"
#include "ReceiptCommand.h"
#include "SettingsCommands.h"
#include "config/DriverLog.h"
#include "device/FiscalDevice.h"
#include "device/ModelTable.h"
#include "device/ResultCodes.h"

namespace orn::ornfr {

namespace {

constexpr char kUsage[] =
    "usage: ornfr --port PATH|N [--baud N] [--password N] [--tax-password N] [--log FILE]\n"
    "             COMMAND [ARGS]\n"
    "       ornfr log FILE\n"
    "       ornfr doctor [--device NAME] [--arch 32|64]  (checks the whole set-up; --help)\n"
    "commands:\n"
    "  status             the register's status, one 'name: value' line each\n"
    "  type               the device type, model family, category and line width\n"
    "  find               search the ports and baud rates for the register\n"
    "  x-report           print the X report (shift totals, the shift stays open)\n"
    "  z-report           print the Z report (closes the shift)\n"
    "  print TEXT         print TEXT on the receipt tape, a line per line of TEXT\n"
    "  set-time           set the register's date and time to this computer's\n"
    "  read-table T R F   read field F of row R of table T\n"
    "  cash-register N    read cash register N\n"
    "  report --dates FROM TO      fiscal memory report of the days FROM..TO (DDMMYYYY)\n"
    "  report --shifts FIRST LAST  fiscal memory report of shifts FIRST..LAST (0: to the end)\n"
    "  set-header N TEXT  set header line N (table 4)\n"
    "  set-trailer N TEXT set trailer line N (table 4)\n"
    "  vat                the tax rates of groups 1..4 (table 6)\n"
    "  set-vat N RATE     set the rate of tax group N in 0.01 % (1800 = 18 %)\n"
    "  receipt            a sales receipt through the service object, as a point of sale\n"
    "                     makes it (three items, a discount, card and cash)\n"
    "  log FILE           the driver's log with every frame explained (no port needed)\n"
    "options:\n"
    "  --port      the serial port: a device path or a COM port number (1..32)\n"
    "  --baud      the configured baud rate (default 4800)\n"
    "  --password  the operator password (default 30)\n"
    "  --tax-password  the tax inspector password (the fiscal memory reports need it)\n"
    "  --log       write the driver log to FILE\n"
    "exit status: 0 success, 2 usage, 3 register error, 4 no answer (doctor: 5 broken)\n";

struct Options {
  std::string port;
  uint32_t baud = 4800;
  uint32_t password = 30;
  std::optional<uint32_t> taxPassword;
  std::string logFile;
  std::string command;
  std::vector<std::string> arguments;
};

struct CommandSpec {
  const char* name;
  size_t arguments;
};

constexpr CommandSpec kCommands[] = {
    {"status", 0},        {"type", 0},    {"find", 0},       {"x-report", 0},
    {"z-report", 0},      {"print", 1},   {"set-time", 0},   {"read-table", 3},
    {"cash-register", 1}, {"report", 3},  {"set-header", 2}, {"set-trailer", 2},
    {"vat", 0},           {"set-vat", 2}, {"log", 1},        {"receipt", 0},
};

const CommandSpec* FindCommand(std::string_view name) {
  for (const CommandSpec& entry : kCommands)
    if (name == entry.name) return &entry;
  return nullptr;
}

bool ParseNumber(const std::string& text, uint32_t& value, uint32_t limit = 0xFFFFFFFFu) {
  char* end = nullptr;
  const unsigned long long number = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || *end || text[0] == '-' || number > limit) return false;
  value = uint32_t(number);
  return true;
}

// Returns an empty string on success, else what is wrong.
std::string Parse(int argc, const char* const* argv, Options& options) {
  const CommandSpec* command = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (command && options.arguments.size() < command->arguments) {
      options.arguments.emplace_back(arg);
    } else if (arg == "--port" && hasValue) {
      options.port = argv[++i];
    } else if (arg == "--baud" && hasValue) {
      if (!ParseNumber(argv[++i], options.baud)) return "bad --baud value";
    } else if (arg == "--password" && hasValue) {
      if (!ParseNumber(argv[++i], options.password)) return "bad --password value";
    } else if (arg == "--tax-password" && hasValue) {
      uint32_t value = 0;
      if (!ParseNumber(argv[++i], value)) return "bad --tax-password value";
      options.taxPassword = value;
    } else if (arg == "--log" && hasValue) {
      options.logFile = argv[++i];
    } else if (const CommandSpec* found = FindCommand(arg); found && !command) {
      command = found;
      options.command = found->name;
    } else {
      return "unexpected argument '" + std::string(arg) + "'";
    }
  }
  if (!command) return "no command given";
  // Reading a log needs no register.
  if (options.port.empty() && options.command != "log") return "--port is required";
  if (options.arguments.size() != command->arguments)
    return "'" + options.command + "' needs " + std::to_string(command->arguments) + " argument(s)";
  return {};
}

int ReportPortFailure(const std::string& given, int portNumber, const device::FiscalDevice& device,
                      Environment& env) {
  // A path names itself; a number is a COM port.
  const std::string name =
      given.find('/') != std::string::npos ? given : "COM" + std::to_string(portNumber);
  const platform::OsError& error = device.Port().LastError();
  if (error.portInUse) {
    env.err << "ornfr: port " << name << " is in use by another program\n";
  } else {
    env.err << "ornfr: cannot open port " << name;
    if (error.code != 0)
      env.err << ": " << env.consoleText(error.text) << " (" << error.code << ")";
    env.err << "\n";
  }
  return kExitNoAnswer;
}

// Lines of the command line's text end in LF; the register's lines end in CR LF.
std::string RegisterLines(const std::string& text) {
  std::string lines;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') lines += '\r';
    lines += c;
  }
  return lines + "\r\n";
}

int RunCommand(const Options& options, device::FiscalDevice& device, Environment& env) {
  const std::string& command = options.command;
  const auto& args = options.arguments;
  auto fail = [&] { return ReportFailure(device, env); };

  if (command == "status") {
    if (!device.GetStatus()) return fail();
    PrintStatus(device, env);
  } else if (command == "type") {
    if (!device.GetDeviceType()) return fail();
    PrintType(device, env);
  } else if (command == "x-report" || command == "z-report") {
    const bool printed = command == "x-report" ? device.PrintReportX() : device.PrintReportZ();
    if (!printed || !device.WaitForPrinting(500)) return fail();
    env.out << command << ": printed\n";
  } else if (command == "print") {
    // The line width and print command follow from the register's type.
    if (!device.GetDeviceType()) return fail();
    device.SetLineWidth(device::LineWidthForCategory(device.ModelCategory()));
    if (!device.PrintLines(device::kStationReceipt, RegisterLines(env.ansiText(args[0]))))
      return fail();
    if (!device.WaitForPrinting(200)) return fail();
    env.out << "print: printed\n";
  } else if (command == "set-time") {
    const platform::LocalTime now = env.clock.Now();
    const uint8_t dateTime[5] = {uint8_t(now.day), uint8_t(now.month), uint8_t(now.year - 2000),
                                 uint8_t(now.hour), uint8_t(now.minute)};
    if (!device.SetDateTime(dateTime)) return fail();
    char text[64];
    std::snprintf(text, sizeof text, "set-time: %02u.%02u.%04u %02u:%02u\n", unsigned(now.day),
                  unsigned(now.month), unsigned(now.year), unsigned(now.hour),
                  unsigned(now.minute));
    env.out << text;
  } else if (command == "read-table") {
    uint32_t table = 0, row = 0, field = 0;
    if (!ParseNumber(args[0], table, 255) || !ParseNumber(args[1], row, 65535) ||
        !ParseNumber(args[2], field, 255)) {
      env.err << "ornfr: read-table takes three numbers: table, row, field\n";
      return kExitUsage;
    }
    if (!device.GetTableStructure(uint8_t(table))) return fail();
    env.out << "table: " << table << " " << env.consoleText(device.TableName()) << "\n";
    // The field's kind and size are the register's; show the bytes every way.
    const std::optional<device::TableValue> value = device.ReadTable(
        {uint8_t(table), uint16_t(row), uint8_t(field), device::FieldKind::kString, 255});
    if (!value) return fail();
    const uint8_t* data = device.AnswerData();
    const size_t size = device.AnswerDataLength();
    std::string hex;
    unsigned long long number = 0;
    for (size_t i = 0; i < size; ++i) {
      char byte[4];
      std::snprintf(byte, sizeof byte, "%02X ", data[i]);
      hex += byte;
      if (i < 8) number |= (unsigned long long)data[i] << (8 * i);
    }
    env.out << "bytes: " << hex << "\n"
            << "number: " << number << "\n"
            << "text: " << env.consoleText(std::string(value->text)) << "\n";
  } else if (command == "cash-register") {
    uint32_t number = 0;
    if (!ParseNumber(args[0], number, 255)) {
      env.err << "ornfr: cash-register takes a register number 0..255\n";
      return kExitUsage;
    }
    if (!device.GetStatus() || !device.GetCashRegister(uint8_t(number))) return fail();
    const int64_t value = device.CashRegisterValue();
    const int64_t divisor = device.CurrencyDivisor() == 100 ? 100 : 1;
    char text[96];
    std::snprintf(text, sizeof text, "cash register %u: %lld (%lld.%02lld)\n", unsigned(number),
                  (long long)value, (long long)(value / divisor),
                  divisor == 100 ? (long long)(value % 100) : 0LL);
    env.out << text;
  } else {
    int status = kExitSuccess;
    RunSettingsCommand(command, args, device, env, status);
    return status;
  }
  return kExitSuccess;
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
  if (options.command == "log") {
    std::ifstream file(options.arguments[0], std::ios::binary);
    if (!file) {
      env.err << "ornfr: cannot read " << options.arguments[0] << "\n";
      return kExitUsage;
    }
    ExplainLog(file, env);
    return kExitSuccess;
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
  if (options.taxPassword) device.SetTaxPassword(*options.taxPassword, true);

  // The service object opens its port itself.
  if (options.command == "receipt")
    return RunReceipt({portNumber, options.baud, options.password, options.logFile}, env);
  if (options.command == "find") {
    if (!device.FindDevice()) return ReportFailure(device, env);
    env.out << "port: " << device.ComNumber() << "\n";
    env.out << "baud: " << device.Port().CurrentBaud() << "\n";
    return kExitSuccess;
  }
  if (!device.Connect(portNumber)) {
    // A port that cannot be opened has no register error to show, but the OS's own.
    if (!device.Port().IsOpen()) return ReportPortFailure(options.port, portNumber, device, env);
    return ReportFailure(device, env);
  }
  return RunCommand(options, device, env);
}

}  // namespace orn::ornfr
