// The date strings: ParseOposDate and ParseWord on their own (a date read is one that
// formats back to the same twelve digits), FormatOposDate on whatever date bytes a register
// holds, and the methods that take or give dates on a claimed service object against the
// register simulator: SetDate, PrintReport by dates and by shift numbers, GetDate.
//
// Input: up to three texts separated by newlines, as UTF-8: the SetDate argument and the
// first and last date of the report; the first five bytes are also a register's date bytes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/portable/TableTextConverter.h"
#include "receipt/OposText.h"
#include "service/OposConstants.h"

#include "FuzzSupport.h"

namespace {

using namespace orn;
using fuzz::Check;

constexpr int32_t kPidxDateType = 16032;

void CheckParsers(std::string_view text) {
  receipt::RegisterDateTime date;
  if (receipt::ParseOposDate(text, date)) {
    Check(date.day >= 1 && date.day <= 31 && date.month >= 1 && date.month <= 12 &&
              date.hour <= 23 && date.minute <= 59,
          "a date read is in range");
    Check(receipt::FormatOposDate(date) == text, "a date read formats back to its text");
  }
  uint16_t word = 0;
  if (receipt::ParseWord(text, word)) {
    uint16_t again = 0;
    Check(receipt::ParseWord(std::to_string(word), again) && again == word, "a number read");
  }
}

void CheckFormat(const uint8_t* bytes) {
  const std::string text =
      receipt::FormatOposDate({bytes[0], bytes[1], bytes[2], bytes[3], bytes[4]});
  receipt::RegisterDateTime date;
  const bool valid = bytes[0] >= 1 && bytes[0] <= 31 && bytes[1] >= 1 && bytes[1] <= 12 &&
                     bytes[3] <= 23 && bytes[4] <= 59;
  if (valid) Check(receipt::ParseOposDate(text, date), "a register date formats to a date");
}

void CheckMethods(const std::u16string (&texts)[3]) {
  fuzz::ServiceOnSimulator on;
  fuzz::WriteDeviceKey(on.memory.registry, false);
  Check(on.Open() == 0, "open");
  service::FptrService& service = on.service;
  Check(service.ClaimDevice(1000) == 0, "claim");
  Check(service.SetPropertyNumber(service::PIDX_DeviceEnabled, 1) == 0, "enable");
  service.SetDate(texts[0]);
  service.PrintReport(service::FPTR_RT_DATE, texts[1], texts[2]);
  service.PrintReport(service::FPTR_RT_ORDINAL, texts[1], texts[2]);
  std::u16string date;
  for (int32_t type : {service::FPTR_DT_RTC, service::FPTR_DT_EOD}) {
    service.SetPropertyNumber(kPidxDateType, type);
    if (service.GetDate(date) == 0) Check(date.size() == 12, "GetDate gives twelve digits");
  }
  service.ReleaseDevice();
  service.CloseService();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::u16string texts[3];
  size_t start = 0;
  for (std::u16string& text : texts) {
    if (start > input.size()) break;
    const size_t end = std::min(input.find('\n', start), input.size());
    const std::string_view part = input.substr(start, end - start);
    CheckParsers(part);
    text = platform::Utf16FromUtf8(part);
    start = end + 1;
  }
  if (size >= 5) CheckFormat(data);
  CheckMethods(texts);
  return 0;
}
