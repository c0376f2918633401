// Printing a multi-line text line by line, on the tape or into the slip buffer.

#include <algorithm>

#include "device/FiscalDevice.h"

namespace orn::device {

bool FiscalDevice::PrintTextLines(std::string_view text, LinePrinter print, uint8_t where,
                                  size_t* resumeAt) {
  // Lines end in CR LF: CR prints what was counted since the line start, LF starts a new
  // line. Characters counted but not printed before an LF are dropped.
  size_t lineStart = 0;
  size_t count = 0;
  auto printLine = [&] {
    return (this->*print)(where, text.substr(lineStart, std::min(count, kMaxPrintedLine)));
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
  return PrintTextLines(text, &FiscalDevice::PrintString, station, resumeAt);
}

bool FiscalDevice::PrintSlipLines(uint8_t line, std::string_view text) {
  return PrintTextLines(text, &FiscalDevice::FillSlipBuffer, line);
}

}  // namespace orn::device
