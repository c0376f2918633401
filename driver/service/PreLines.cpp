// The pre-line and post-line that the fiscal methods print before and after their own
// lines, and the one-line prints on the fiscal receipt station they share. A pre-line or
// post-line is printed once and consumed: a retried method finds its step flag set.

#include "service/FptrService.h"

namespace orn::service {

bool FptrService::PrintPreLine() {
  return PrintPendingLine(preLine_, retrySteps_[kPreLineDone]);
}

bool FptrService::PrintPostLine() {
  return PrintPendingLine(postLine_, retrySteps_[kPostLineDone]);
}

bool FptrService::PrintPendingLine(std::string& text, bool& done) {
  if (done) return true;
  if (!text.empty()) {
    if (!PrintTextLine(text, device::kStationReceipt)) return false;
    text.clear();
  }
  done = true;
  return true;
}

bool FptrService::PrintTextLine(const std::string& text, uint8_t stationFlags) {
  if (stationIsReceipt_) {
    if (!device_.PrintString(stationFlags, text)) return false;
    receipt_.SetRecPrinted(true);
    return true;
  }
  if (!device_.FillSlipBuffer(receipt_.SlipLine(), text)) return false;
  receipt_.SetSlipLine(uint8_t(receipt_.SlipLine() + 1));
  receipt_.SetSlpPrinted(true);
  return true;
}

bool FptrService::PrintTwoColumnLine(const std::string& left, const std::string& right) {
  std::string line = left;
  const size_t width = size_t(device_.LineWidth() > 0 ? device_.LineWidth() : 0);
  if (width > right.size() && line.size() < width - right.size())
    line.resize(width - right.size(), ' ');
  line += right;
  return PrintTextLine(line, device::kStationReceipt);
}

}  // namespace orn::service
