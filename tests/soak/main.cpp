// soak --seed S --count N [--no-exactly-once] [--check-total] [--faults LIST] [--verbose]
//      [--driver-log FILE]
// The fault soak. Exit status 0 when the register agrees with the ledger, nothing was
// registered twice and no call hung; with --no-exactly-once (the driver's handling switched
// off), 0 when duplicates showed. --faults keeps only the listed kinds of fault (noise,
// lost, silent, reset, paper, crash; "none" for a clean line), to tell which kind does what;
// --check-total makes the point of sale set CheckTotal.

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "soak/SoakRun.h"

namespace {

int Usage() {
  std::cerr << "usage: soak --seed S --count N [--no-exactly-once] [--check-total]"
               " [--faults LIST] [--verbose] [--driver-log FILE]\n"
               "  LIST: none, or some of noise,lost,silent,reset,paper,crash\n";
  return 2;
}

bool ParseNumber(const char* text, unsigned long& value) {
  char* end = nullptr;
  value = std::strtoul(text, &end, 10);
  return *text != '\0' && *end == '\0';
}

// The default rates of the kinds listed, the others off.
bool ParseFaults(const std::string& list, orn::soak::FaultRates& rates) {
  const orn::soak::FaultRates all;
  rates = orn::soak::FaultRates{0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::istringstream kinds(list);
  for (std::string kind; std::getline(kinds, kind, ',');) {
    if (kind == "noise") {
      rates.byteDropPerMillion = all.byteDropPerMillion;
      rates.byteCorruptPerMillion = all.byteCorruptPerMillion;
    } else if (kind == "lost") {
      rates.lostAnswer = all.lostAnswer;
      rates.forgottenAnswer = all.forgottenAnswer;
    } else if (kind == "silent") {
      rates.silentPeriod = all.silentPeriod;
    } else if (kind == "reset") {
      rates.reset = all.reset;
    } else if (kind == "paper") {
      rates.paperOutBeforePrint = all.paperOutBeforePrint;
      rates.paperOutWhilePrinting = all.paperOutWhilePrinting;
    } else if (kind == "crash") {
      rates.crash = all.crash;
    } else if (kind != "none") {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  orn::soak::SoakOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    unsigned long value = 0;
    if ((option == "--seed" || option == "--count") && i + 1 < argc) {
      if (!ParseNumber(argv[++i], value)) return Usage();
      if (option == "--seed") options.seed = uint32_t(value);
      if (option == "--count") options.count = int(value);
    } else if (option == "--faults" && i + 1 < argc) {
      if (!ParseFaults(argv[++i], options.rates)) return Usage();
    } else if (option == "--driver-log" && i + 1 < argc) {
      options.driverLog = argv[++i];
    } else if (option == "--no-exactly-once") {
      options.exactlyOnce = false;
    } else if (option == "--check-total") {
      options.checkTotal = true;
    } else if (option == "--verbose") {
      options.verbose = true;
    } else {
      return Usage();
    }
  }
  const orn::soak::SoakResult result = orn::soak::RunSoak(options, std::cout);
  if (!result.started) return 1;
  if (!options.exactlyOnce) return result.duplicates > 0 ? 0 : 1;
  return result.discrepancies == 0 && result.duplicates == 0 && result.hangs == 0 ? 0 : 1;
}
