// soak --seed S --count N [--no-exactly-once] [--no-faults] [--verbose]: the fault soak.
// Exit status 0 when the register agrees with the ledger, nothing was registered twice and
// no call hung; with --no-exactly-once (the driver's handling switched off), 0 when
// duplicates showed. --no-faults runs the same documents on a clean line: the baseline.

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "soak/SoakRun.h"

namespace {

int Usage() {
  std::cerr << "usage: soak --seed S --count N [--no-exactly-once] [--no-faults] [--verbose]\n";
  return 2;
}

bool ParseNumber(const char* text, unsigned long& value) {
  char* end = nullptr;
  value = std::strtoul(text, &end, 10);
  return *text != '\0' && *end == '\0';
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
    } else if (option == "--no-exactly-once") {
      options.exactlyOnce = false;
    } else if (option == "--no-faults") {
      options.rates = orn::soak::FaultRates{0, 0, 0, 0, 0, 0, 0, 0};
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
