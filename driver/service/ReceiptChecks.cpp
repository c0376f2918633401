// The argument checks of the receipt methods, run before any register step so that a
// refused call leaves nothing half done in the register. Each failing check logs why and
// sets the error triple.

#include <algorithm>

#include "device/ResultCodes.h"
#include "receipt/ReceiptArithmetic.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {

constexpr int32_t kMaxVatInfo = 4;

double AsCurrency(int64_t value) {
  return double(value) / 10000.0;
}

}  // namespace

bool FptrService::Refuse(const char* text) {
  log_.LogDetail(text);
  device_.SetIllegal();
  device_.Errors().SetErrorString(text);
  return false;
}

bool FptrService::CheckState(std::initializer_list<int32_t> accepted) {
  if (std::find(accepted.begin(), accepted.end(), receipt_.PrinterState()) != accepted.end())
    return true;
  device_.SetExtendedError(device::OPOS_EFPTR_WRONG_STATE);
  return false;
}

bool FptrService::CheckQuantity(int32_t quantity) {
  if (quantity >= 0) return true;
  log_.LogDetailF("Неверное значение параметра Quantity (%d).", int(quantity));
  log_.LogDetail("Параметр Quantity должен быть >= 0.");
  device_.SetExtendedError(device::OPOS_EFPTR_BAD_ITEM_QUANTITY);
  return false;
}

bool FptrService::CheckPrice(int64_t price) {
  if (price < 0) {
    log_.LogDetailF("Неверное значение параметра Price (%f).", AsCurrency(price));
    log_.LogDetail("Параметр Price должен быть >= 0.");
  } else if (device_.ToRegisterUnits(price) > receipt::kMaxRegisterAmount) {
    // Five bytes on the wire would cut it to another price.
    log_.LogDetailF("Неверное значение параметра Price (%f).", AsCurrency(price));
  } else {
    return true;
  }
  device_.SetExtendedError(device::OPOS_EFPTR_BAD_PRICE);
  return false;
}

bool FptrService::CheckAmount(int64_t amount) {
  if (amount < 0) {
    log_.LogDetailF("Неверное значение параметра Amount (%f).", AsCurrency(amount));
    log_.LogDetail("Параметр Amount должен быть >= 0.");
  } else if (device_.ToRegisterUnits(amount) > receipt::kMaxRegisterAmount) {
    log_.LogDetailF("Неверное значение параметра Amount (%f).", AsCurrency(amount));
  } else {
    return true;
  }
  device_.SetExtendedError(device::OPOS_EFPTR_BAD_ITEM_AMOUNT);
  return false;
}

bool FptrService::CheckAdjustment(int32_t adjustmentType, int64_t amount) {
  switch (adjustmentType) {
    case FPTR_AT_AMOUNT_DISCOUNT:
    case FPTR_AT_AMOUNT_SURCHARGE:
      return CheckAmount(amount);
    case FPTR_AT_PERCENTAGE_DISCOUNT:
    case FPTR_AT_PERCENTAGE_SURCHARGE:
      if (amount >= 0 && amount <= receipt::kFullPercentage) return true;
      log_.LogDetailF("Неверное значение параметра Amount (%f).", AsCurrency(amount));
      log_.LogDetail("Значение должно лежать в диапазоне 0..100.");
      device_.SetExtendedError(device::OPOS_EFPTR_BAD_ITEM_AMOUNT);
      return false;
    default:
      log_.LogDetail("Неверное значение параметра AdjustmentType.");
      device_.SetIllegal();
      return false;
  }
}

bool FptrService::CheckVatInfo(int32_t vatInfo) {
  if (vatInfo >= 0 && vatInfo <= kMaxVatInfo) return true;
  log_.LogDetailF("Неверное значение параметра VatInfo (%d).", int(vatInfo));
  log_.LogDetail("Значение должно лежать в диапазоне 0..4.");
  device_.SetIllegal();
  return false;
}

bool FptrService::CheckTextLength(std::u16string_view text) {
  if (text.size() <= size_t(std::max(device_.LineWidth(), 0))) return true;
  log_.LogDetail("Слишком длинная строка.");
  device_.SetExtendedError(device::OPOS_EFPTR_BAD_ITEM_DESCRIPTION);
  return false;
}

bool FptrService::CheckSalesOnly() {
  if (fiscalReceiptType_ == FPTR_RT_SALES) return true;
  device_.SetIllegal();
  device_.Errors().SetErrorString("Вызов метода запрещен. FiscalReceiptType <> FPTR_RT_SALES");
  return false;
}

bool FptrService::CheckReceiptStation() {
  if (stationIsReceipt_) return true;
  device_.SetIllegal();
  return false;
}

}  // namespace orn::service
