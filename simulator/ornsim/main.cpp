// ornsim: the register simulator on a pseudo-terminal, for the driver's tests and for
// working without a register.

#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>
#include <utility>

#include "platform/portable/TableTextConverter.h"
#include "simulator/ornsim/OrnsimOptions.h"
#include "simulator/ornsim/PtyServer.h"
#include "simulator/ornsim/RegisterReport.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
  stopRequested = 1;
}

void InstallStopHandlers() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: poll returns at once
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

// The register's clock starts at the host's local time.
orn::platform::LocalTime HostLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {uint16_t(local.tm_year + 1900),
          uint16_t(local.tm_mon + 1),
          uint16_t(local.tm_mday),
          uint16_t(local.tm_hour),
          uint16_t(local.tm_min),
          uint16_t(local.tm_sec),
          0};
}

const char* StationName(orn::simulator::Station station) {
  switch (station) {
    case orn::simulator::Station::kJournal:
      return "journal";
    case orn::simulator::Station::kReceipt:
      return "receipt";
    case orn::simulator::Station::kSlip:
      break;
  }
  return "slip";
}

// A printed line on standard output: the station, then the text in UTF-8.
void ShowLine(orn::simulator::Station station, const std::string& line) {
  orn::platform::TableTextConverter converter;
  const std::string text = orn::platform::Utf8FromUtf16(converter.Utf16FromAnsi(line));
  std::printf("%s: %s\n", StationName(station), text.c_str());
  std::fflush(stdout);
}

void ShowCounters(const orn::simulator::SimulatorCounters& counters) {
  const std::pair<const char*, uint32_t> rows[] = {
      {"enqs received", counters.enqsReceived},
      {"frames received", counters.framesReceived},
      {"bad frames received", counters.badFramesReceived},
      {"answers sent", counters.answersSent},
      {"naks received", counters.naksReceived},
      {"stale answers sent", counters.staleAnswersSent},
      {"bad check answers sent", counters.badCheckAnswersSent},
      {"baud rate changes", counters.baudRateChanges},
      {"unacknowledged answers", counters.unacknowledgedAnswers},
  };
  for (const auto& [name, value] : rows) std::printf("counter: %s %u\n", name, unsigned(value));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orn::simulator;
  OrnsimOptions options;
  options.config.state.clockAtStart = HostLocalTime();
  std::string error;
  if (!ParseOrnsimOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "ornsim: %s (see ornsim --help)\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(kOrnsimUsage, stdout);
    return 0;
  }

  InstallStopHandlers();
  RegisterSimulator simulator(options.config);
  if (options.showTape) simulator.SetPrintObserver(ShowLine);
  PtyServer server(simulator, options.verbose, options.paced);
  if (!server.Open(error)) {
    std::fprintf(stderr, "ornsim: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", server.SlavePath().c_str());
  std::fflush(stdout);
  if (!server.Serve(stopRequested, error)) {
    std::fprintf(stderr, "ornsim: %s\n", error.c_str());
    return 1;
  }
  if (options.showCounters) ShowCounters(simulator.Counters());
  if (options.showRegisters) ShowRegisters(simulator);
  return 0;
}
