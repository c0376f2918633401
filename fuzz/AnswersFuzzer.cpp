// The answer receiver and decoder: a FiscalDevice on the virtual line runs a fixed round of
// commands against a register whose every reply comes from the fuzz input.
//
// Input: one byte of table field settings (bit 7 a string field, the rest its size), eight
// bytes of the discount spread over the tax groups (OPOS currency, low byte first), then
// replies, each a count byte, a delay byte (in 40 ms steps, so that both sides of the
// 10-second answer wait are reachable) and that many bytes as the line carries them. The
// register takes the next reply each time its turn comes (the driver sent ENQ, ACK, NAK or
// the last byte of a frame); when the input is used up it falls silent.
// ORN_FUZZ_SHOW_LOG=1 prints the driver log (every frame, Windows-1251) after each input.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/DriverLog.h"
#include "device/FiscalDevice.h"
#include "platform/memory/LinePeer.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"
#include "receipt/ReceiptArithmetic.h"

namespace {

using namespace orn;

constexpr uint32_t kDelayStepMs = 40;
// No call may hold the caller longer than this on the virtual clock: by default a bound far
// above any deliberate wait, so that only a call that never ends is taken for a finding;
// ORN_FUZZ_MAX_CALL_MS sets another (to check a tighter bound of the link layer).
uint64_t MaxCallMs() {
  static const uint64_t bound = [] {
    const char* text = std::getenv("ORN_FUZZ_MAX_CALL_MS");
    return text ? std::strtoull(text, nullptr, 10) : uint64_t(60 * 60 * 1000);
  }();
  return bound;
}

// The longest call of the run, in the log when the run ends: how long a point of sale
// could wait on one call against a register that misbehaves.
struct LongestCall {
  ~LongestCall() {
    std::fprintf(stderr, "longest call: %s, %llu ms of virtual time\n", name,
                 static_cast<unsigned long long>(ms));
  }
  const char* name = "none";
  uint64_t ms = 0;
} longest;

class ScriptedRegister : public platform::LinePeer {
 public:
  ScriptedRegister(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint32_t BaudRate() const override { return 4800; }

  void OnByte(uint8_t byte, uint64_t, platform::LineReply& reply) override {
    if (frameLeft_ > 0) {
      if (--frameLeft_ == 0) Reply(reply);
      return;
    }
    if (expectLength_) {
      expectLength_ = false;
      frameLeft_ = size_t(byte) + 1;  // the message and its check byte
      return;
    }
    if (byte == device::kStx) {
      expectLength_ = true;
    } else if (byte == device::kEnq || byte == device::kAck || byte == device::kNak) {
      Reply(reply);
    }
  }

 private:
  void Reply(platform::LineReply& reply) {
    if (size_ - at_ < 2) return;
    const size_t count = std::min<size_t>(data_[at_], size_ - at_ - 2);
    const uint32_t delayMs = data_[at_ + 1] * kDelayStepMs;
    at_ += 2;
    if (count > 0) reply.Send(data_ + at_, count, delayMs);
    at_ += count;
  }

  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
  bool expectLength_ = false;
  size_t frameLeft_ = 0;
};

// Runs one command and checks that it ended within the bound.
template <typename Call>
void Run(const char* name, platform::MemoryClock& clock, Call call) {
  const uint64_t start = clock.Elapsed();
  call();
  const uint64_t took = clock.Elapsed() - start;
  if (took > longest.ms) {
    longest.name = name;
    longest.ms = took;
  }
  if (took > MaxCallMs()) {
    std::fprintf(stderr, "%s held the caller %llu ms of virtual time\n", name,
                 static_cast<unsigned long long>(took));
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kHeader = 9;
  if (size < kHeader) return 0;
  const uint8_t fieldSettings = data[0];
  int64_t discount = 0;
  std::memcpy(&discount, data + 1, sizeof discount);
  ScriptedRegister reg(data + kHeader, size - kHeader);

  platform::MemoryPlatform memory;
  platform::MemoryPortProvider ports(memory.clock);
  ports.Attach(1, reg);
  config::DriverLog log(memory.files, memory.clock);
  log.SetEnabled(true);  // the hex rows of every frame are written too
  device::FiscalDevice device(ports, memory.clock, log);
  device.SetConnection(1, 4800);
  device.SetPassword(30);
  auto& clock = memory.clock;

  Run("Connect", clock, [&] { device.Connect(1); });
  if (!device.Port().IsOpen() && !device.Port().Open(1, 4800)) return 0;
  Run("GetStatus", clock, [&] { device.GetStatus(); });
  Run("GetDeviceType", clock, [&] { device.GetDeviceType(); });
  Run("GetCashRegister", clock, [&] { device.GetCashRegister(121); });
  Run("GetOperationRegister", clock, [&] { device.GetOperationRegister(144); });
  const device::TableCell cell{
      4, 1, 1, (fieldSettings & 0x80) ? device::FieldKind::kString : device::FieldKind::kNumber,
      uint8_t(fieldSettings & 0x7F)};
  Run("ReadTable", clock, [&] { device.ReadTable(cell); });
  Run("GetTableStructure", clock, [&] { device.GetTableStructure(4); });
  Run("GetLastFiscalRecordDate", clock, [&] { device.GetLastFiscalRecordDate(); });
  Run("Subtotal", clock, [&] { device.Subtotal(); });
  Run("WaitForPrinting", clock, [&] { device.WaitForPrinting(100); });
  Run("CheckPrinting", clock, [&] { device.CheckPrinting(100); });
  Run("PrintLines", clock, [&] { device.PrintLines(device::kStationReceipt, "ab\r\ncd"); });
  const uint8_t dateTime[5] = {8, 12, 26, 13, 45};
  Run("SetDateTime", clock, [&] { device.SetDateTime(dateTime); });
  Run("CashIn", clock, [&] { device.CashIn(10000); });
  // An item and a discount spread over the tax groups by the turnovers the register reports.
  Run("Sale", clock, [&] { device.Sale({1000, 4550, {}}, 1); });
  // Only amounts the service lets through: none below 0 or above the register's money field.
  const int64_t discountUnits = device.ToRegisterUnits(discount);
  if (discountUnits >= 0 && discountUnits <= receipt::kMaxRegisterAmount)
    Run("DiscountByTax", clock, [&] { device.DiscountByTax(discountUnits, {}); });
  Run("CloseReceipt", clock, [&] { device.CloseReceipt({5000, 0, 0, 0}, {}); });
  Run("PrintReportX", clock, [&] { device.PrintReportX() && device.WaitForPrinting(100); });
  // To read what happened on the line when one input is run again.
  if (std::getenv("ORN_FUZZ_SHOW_LOG"))
    std::fputs(memory.files.Contents(config::kDefaultLogFileName).c_str(), stderr);
  return 0;
}
