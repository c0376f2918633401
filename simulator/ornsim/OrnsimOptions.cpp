#include "simulator/ornsim/OrnsimOptions.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/memory/MemoryClock.h"
#include "simulator/BaudRates.h"

namespace orn::simulator {

const char kOrnsimUsage[] =
    "Usage: ornsim --pty [options]\n"
    "Simulates a fiscal register on a pseudo-terminal. Prints the terminal's path as the\n"
    "first line of standard output, then serves until SIGTERM or SIGINT.\n"
    "\n"
    "  --pty               serve a new pseudo-terminal (required)\n"
    "  --baud N            the register's line rate: 2400, 4800, 9600, 19200, 38400,\n"
    "                      57600 or 115200 (default 4800)\n"
    "  --password N        operator password (default 30)\n"
    "  --model N           model byte 0..255 of the device type answer (default 0)\n"
    "  --answer-delay MS   from a frame or ENQ to the answer frame (default 5)\n"
    "  --reply-delay MS    from a byte to the ACK or NAK it gets (default 1)\n"
    "  --pace              bytes take their wire time at the line rate, ten bits a byte,\n"
    "                      in both directions, as on a real line (a pseudo-terminal\n"
    "                      carries them at once); a client's write returns before its\n"
    "                      bytes have crossed, so its reply time-outs start early\n"
    "  --silent            never answer anything\n"
    "  --drop-rx K         lose the K-th byte from the client (repeatable)\n"
    "  --drop-tx K         lose the K-th byte to the client (repeatable)\n"
    "  --corrupt-rx K      XOR the K-th byte from the client with FFh (repeatable)\n"
    "  --corrupt-tx K      XOR the K-th byte to the client with FFh (repeatable)\n"
    "  --stale-answer      hold a leftover answer: the first ENQ gets ACK and that answer\n"
    "  --bad-check         send the next answer with a wrong check byte (its resend is good)\n"
    "  --bad-checks N      send the next N answers with a wrong check byte\n"
    "  --error-on N:CODE   answer the N-th command with error CODE (decimal or 0x hex;\n"
    "                      repeatable)\n"
    "  --tax-password N    tax inspector password (default 0)\n"
    "  --line-ms MS        print time per line (default 0); while printing the register\n"
    "                      answers other commands with 50h\n"
    "  --paper-out-before N[:journal]\n"
    "                      take the receipt (or journal) paper away before the N-th\n"
    "                      command that prints (repeatable)\n"
    "  --paper-out-after N[:journal]\n"
    "                      the paper runs out after the N-th printed line (repeatable)\n"
    "  --reset-before N    clear the register's RAM before the N-th command (repeatable)\n"
    "  --slip              a slip is in the slip station\n"
    "  --roubles           count money in whole roubles (flag bit 4 clear)\n"
    "  --shift-open        start with the shift open\n"
    "  --shift-over-24h    start with a shift opened 25 hours before the register's clock\n"
    "                      (its mode says a Z report is due)\n"
    "  --show-tape         print each printed line on standard output, after the path,\n"
    "                      prefixed by its station (receipt:, journal:, slip:)\n"
    "  --show-counters     print what the link and its faults did when stopped, one\n"
    "                      'counter: name value' line each, after the tape\n"
    "  --show-registers    print the money and operation registers that are not zero\n"
    "                      when stopped, one 'money N (what): value' or\n"
    "                      'operations N (what): value' line each, after the counters\n"
    "  --verbose           log every byte to standard error\n"
    "  --help              show this text\n"
    "Bytes count from 1 in each direction, control bytes included. Bytes are ignored while\n"
    "the client's line rate differs from the register's; after SetExchangeParams the\n"
    "register moves to the new rate once the client has acknowledged the answer.\n";

namespace {

// A whole-string number (decimal, or hexadecimal with 0x) no greater than `max`. A leading
// zero does not make it octal: a password 030 is thirty.
bool ParseNumber(const char* text, uint64_t max, uint64_t& value) {
  if (text == nullptr) return false;
  const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (hex) text += 2;
  if (*text == '\0') return false;
  for (const char* c = text; *c != '\0'; ++c) {
    if (!(hex ? std::isxdigit(static_cast<unsigned char>(*c))
              : std::isdigit(static_cast<unsigned char>(*c)))) {
      return false;
    }
  }
  errno = 0;
  char* end = nullptr;
  const unsigned long long parsed = std::strtoull(text, &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || parsed > max) return false;
  value = parsed;
  return true;
}

bool ParseInjectedError(const char* text, InjectedError& injected) {
  const char* colon = text == nullptr ? nullptr : std::strchr(text, ':');
  if (colon == nullptr) return false;
  const std::string number(text, colon);
  uint64_t commandNumber = 0;
  uint64_t code = 0;
  if (!ParseNumber(number.c_str(), UINT32_MAX, commandNumber) || commandNumber == 0) {
    return false;
  }
  if (!ParseNumber(colon + 1, 0xFF, code) || code == 0) return false;
  injected = InjectedError{uint32_t(commandNumber), uint8_t(code)};
  return true;
}

// N or N:journal (N:receipt is the default station).
bool ParsePaperFault(const char* text, PaperFault& fault) {
  if (text == nullptr) return false;
  const char* colon = std::strchr(text, ':');
  const std::string number = colon == nullptr ? std::string(text) : std::string(text, colon);
  uint64_t value = 0;
  if (!ParseNumber(number.c_str(), UINT32_MAX, value) || value == 0) return false;
  fault.number = uint32_t(value);
  fault.station = Station::kReceipt;
  if (colon == nullptr) return true;
  const std::string station = colon + 1;
  if (station == "journal") fault.station = Station::kJournal;
  return station == "journal" || station == "receipt";
}

}  // namespace

bool ParseOrnsimOptions(int argc, const char* const* argv, OrnsimOptions& options,
                        std::string& error) {
  SimulatorConfig& config = options.config;
  bool shiftOver24Hours = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const char* argument = i + 1 < argc ? argv[i + 1] : nullptr;
    uint64_t value = 0;
    // Options with an argument consume it; a missing or bad one is reported below.
    bool good = true;
    if (option == "--pty") {
      options.pty = true;
    } else if (option == "--help") {
      options.help = true;
    } else if (option == "--verbose") {
      options.verbose = true;
    } else if (option == "--pace") {
      options.paced = true;
    } else if (option == "--show-tape") {
      options.showTape = true;
    } else if (option == "--show-counters") {
      options.showCounters = true;
    } else if (option == "--show-registers") {
      options.showRegisters = true;
    } else if (option == "--slip") {
      config.state.flags |= flag::kSlipBottomSensor | flag::kSlipTopSensor;
    } else if (option == "--roubles") {
      config.state.flags &= uint16_t(~flag::kTwoDecimals);
    } else if (option == "--shift-open") {
      config.state.mode = kModeShiftOpen;
    } else if (option == "--shift-over-24h") {
      shiftOver24Hours = true;
    } else if (option == "--tax-password") {
      good = ParseNumber(argument, UINT32_MAX, value);
      config.state.taxPassword = uint32_t(value);
      ++i;
    } else if (option == "--line-ms") {
      good = ParseNumber(argument, 10000, value);
      config.printing.lineMs = uint32_t(value);
      ++i;
    } else if (option == "--paper-out-before" || option == "--paper-out-after") {
      PaperFault fault;
      good = ParsePaperFault(argument, fault);
      (option == "--paper-out-before" ? config.faults.paperOutBeforePrint
                                      : config.faults.paperOutAfterLine)
          .push_back(fault);
      ++i;
    } else if (option == "--reset-before") {
      good = ParseNumber(argument, UINT32_MAX, value) && value > 0;
      config.faults.resetBeforeCommand.push_back(uint32_t(value));
      ++i;
    } else if (option == "--silent") {
      config.faults.silent = true;
    } else if (option == "--stale-answer") {
      config.faults.staleAnswer = true;
    } else if (option == "--bad-check") {
      config.faults.badCheckAnswers = 1;
    } else if (option == "--bad-checks") {
      good = ParseNumber(argument, UINT32_MAX, value);
      config.faults.badCheckAnswers = uint32_t(value);
      ++i;
    } else if (option == "--baud") {
      good = ParseNumber(argument, UINT32_MAX, value) && IsKnownBaudRate(uint32_t(value));
      config.baudRate = uint32_t(value);
      ++i;
    } else if (option == "--password") {
      good = ParseNumber(argument, UINT32_MAX, value);
      config.state.operatorPassword = uint32_t(value);
      ++i;
    } else if (option == "--model") {
      good = ParseNumber(argument, 0xFF, value);
      config.model = ModelPreset(uint8_t(value));
      ++i;
    } else if (option == "--answer-delay") {
      good = ParseNumber(argument, 10000, value);
      config.timing.answerDelayMs = uint32_t(value);
      ++i;
    } else if (option == "--reply-delay") {
      good = ParseNumber(argument, 10000, value);
      config.timing.replyDelayMs = uint32_t(value);
      ++i;
    } else if (option == "--drop-rx" || option == "--drop-tx" || option == "--corrupt-rx" ||
               option == "--corrupt-tx") {
      good = ParseNumber(argument, UINT32_MAX, value) && value > 0;
      std::vector<uint32_t>& numbers = option == "--drop-rx"      ? config.faults.dropReceived
                                       : option == "--drop-tx"    ? config.faults.dropSent
                                       : option == "--corrupt-rx" ? config.faults.corruptReceived
                                                                  : config.faults.corruptSent;
      numbers.push_back(uint32_t(value));
      ++i;
    } else if (option == "--error-on") {
      InjectedError injected;
      good = ParseInjectedError(argument, injected);
      config.faults.deviceErrors.push_back(injected);
      ++i;
    } else {
      error = "unknown option " + option;
      return false;
    }
    if (!good) {
      error = argument == nullptr ? option + " needs a value"
                                  : "bad value for " + option + ": " + argument;
      return false;
    }
  }
  // On the register's clock, which the caller set before the options.
  if (shiftOver24Hours) {
    constexpr int64_t k25HoursMs = 25LL * 60 * 60 * 1000;
    config.state.mode = kModeShiftOpen;
    config.state.shiftOpenedAt = platform::LocalTimeFromMilliseconds(
        platform::MillisecondsFromLocalTime(config.state.clockAtStart) - k25HoursMs);
  }
  if (!options.pty && !options.help) {
    error = "nothing to serve: give --pty";
    return false;
  }
  return true;
}

}  // namespace orn::simulator
