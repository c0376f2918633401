// Printing a multi-line text line by line, and the pending text of adjustments.

#include <algorithm>

#include "device/FiscalDevice.h"

namespace orn::device {

bool FiscalDevice::PrintPendingLine() {
  return PrintString(printStation_);
}

bool FiscalDevice::PrintTextLines(std::string_view text, bool (FiscalDevice::*print)(),
                                  size_t* resumeAt) {
  // Lines end in CR LF: CR prints what was counted since the line start, LF starts a new
  // line. Characters counted but not printed before an LF are dropped.
  size_t lineStart = 0;
  size_t count = 0;
  // A printed line is used up, as FlushText uses up its own: left as the pending text, it
  // would be printed a second time by the next adjustment's FlushText.
  auto printLine = [&] {
    PendingText.assign(text.substr(lineStart, std::min(count, kMaxPrintedLine)));
    if (!(this->*print)()) return false;
    PendingText.clear();
    return true;
  };
  size_t unused = 0;
  size_t& resume = resumeAt ? *resumeAt : unused;
  resume = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      lineStart = resume = i + 1;
      count = 0;
    } else if (text[i] == '\r') {
      if (!printLine()) return false;
    } else {
      ++count;
    }
  }
  if (count != 0 && !printLine()) return false;
  resume = text.size();
  return true;
}

bool FiscalDevice::PrintLines(uint8_t station, std::string_view text, size_t* resumeAt) {
  printStation_ = station;
  return PrintTextLines(text, &FiscalDevice::PrintPendingLine, resumeAt);
}

bool FiscalDevice::PrintSlipLines(std::string_view text) {
  return PrintTextLines(text, &FiscalDevice::FillSlipBuffer);
}

bool FiscalDevice::FlushText() {
  if (PendingText.empty()) return true;
  // The text is dropped once printed, so that a repeated call does not print it twice.
  if (!PrintString(kStationReceipt)) return false;
  PendingText.clear();
  return true;
}

}  // namespace orn::device
