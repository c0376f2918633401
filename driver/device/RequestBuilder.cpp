// Requests are built in place in the fixed request buffer: code, password, parameters,
// and the text packed into its field.

#include <algorithm>
#include <cstring>

#include "config/DriverLog.h"
#include "device/Arithmetic.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

namespace orn::device {

namespace {
const uint8_t* AsBytes(std::string_view text) {
  return reinterpret_cast<const uint8_t*>(text.data());
}
}  // namespace

size_t FiscalDevice::Start(const Command& command) {
  building_ = &command;
  request_[0] = command.code;
  switch (command.password) {
    case PasswordKind::kNone:
      return 1;
    case PasswordKind::kOperator:
      return PutInteger(1, password_, 4);
    case PasswordKind::kTaxInspector:
      break;
  }
  // Without the tax inspector's password the command is not sent at all.
  if (!passwordNIPresent_) {
    SetIllegal();
    return 0;
  }
  return PutInteger(1, passwordNI_, 4);
}

size_t FiscalDevice::PutByte(size_t at, uint8_t value) {
  request_[at] = value;
  return at + 1;
}

size_t FiscalDevice::PutInteger(size_t at, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) request_[at + size_t(i)] = uint8_t(value >> (8 * i));
  return at + size_t(bytes);
}

size_t FiscalDevice::PutBytes(size_t at, const uint8_t* bytes, size_t count) {
  // An empty text may have no bytes at all (a null view).
  if (count != 0) std::memcpy(request_ + at, bytes, count);
  return at + count;
}

size_t FiscalDevice::PutTaxBytes(size_t at, uint8_t taxGroup) {
  const uint8_t taxes[4] = {taxGroup, 0, 0, 0};
  return PutBytes(at, taxes, sizeof taxes);
}

size_t FiscalDevice::PutMoney(size_t at, int64_t amount) {
  return PutInteger(at, uint64_t(amount), 5);
}

size_t FiscalDevice::PutPayments(size_t at, const Payments& payments) {
  for (int64_t payment : payments) at = PutMoney(at, payment);
  return at;
}

size_t FiscalDevice::PutText(size_t at, std::string_view text) {
  const size_t length = text.size();
  if (length < kTextField || modelFamily_ == 1) {
    // A fixed field: the text cut at 40 characters, padded with zeros.
    const size_t copied = std::min(length, kTextField);
    PutBytes(at, AsBytes(text), copied);
    std::memset(request_ + at + copied, 0, kTextField - copied);
    return at + kTextField;
  }
  // A long text: as much as fits the request and one print line, without padding.
  const size_t room = kMaxRequest - at;
  const size_t width = lineWidth_ > 0 ? size_t(lineWidth_) : 0;
  const size_t copied = std::min({length, room, width});
  return PutBytes(at, AsBytes(text), copied);
}

bool FiscalDevice::RequestLengthMatches(size_t length) {
  const Command* command = building_;
  building_ = nullptr;
  if (command && command->code == request_[0] &&
      (command->tail == Tail::kNone ? length == command->length : length >= command->length))
    return true;
  // A request built against its command's layout is never sent.
  log_.LogErrorF("запрос %.2Xh длиной %u не по описанию команды", unsigned(request_[0]),
                 unsigned(length));
  errors_.Set(OPOS_E_FAILURE, 0);
  return false;
}

bool FiscalDevice::Simple(const Command& command) {
  const size_t at = Start(command);
  return at != 0 && SendCommand(at);
}

int64_t FiscalDevice::ToRegisterUnits(int64_t currency) const {
  return device::ToRegisterUnits(currency, currencyDivisor_);
}

}  // namespace orn::device
