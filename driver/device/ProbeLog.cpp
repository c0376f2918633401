#include "device/ProbeLog.h"

namespace orn::device {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
}  // namespace

ProbeLog::ProbeLog(const config::DriverLog& log, platform::Clock& clock) : log_(text_, clock) {
  log_.SetEnabled(log.Enabled());
}

void ProbeLog::AppendTo(config::DriverLog& log) const {
  // Line by line, so that the log's size limit moves it to its old name where it would have.
  std::string_view rest = text_.text;
  for (size_t end = rest.find(kLineEnd); end != std::string_view::npos; end = rest.find(kLineEnd)) {
    log.WriteLine(rest.substr(0, end));
    rest.remove_prefix(end + kLineEnd.size());
  }
}

}  // namespace orn::device
