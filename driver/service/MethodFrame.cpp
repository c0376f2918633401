// The frame every IFptr method runs: its name and input parameters in the log, the method
// number for the retry bookkeeping, the error triple reset, the work, the receipt's
// subtotal brought up to what the register took, the result block.

#include <cstdio>

#include "device/ErrorTriple.h"
#include "device/ResultCodes.h"
#include "service/FptrService.h"

namespace orn::service {

void FptrService::LogCall(Method method, std::initializer_list<LogArg> args) {
  log_.LogMethod(MethodLogName(method));
  for (const LogArg& arg : args) {
    switch (arg.kind) {
      case LogArg::kNumber:
        log_.LogDetailF("%s = %d", arg.name, int(arg.number));
        break;
      case LogArg::kFlag:
        // As the automation boolean: true is -1.
        log_.LogDetailF("%s = %d", arg.name, arg.number ? -1 : 0);
        break;
      case LogArg::kCurrency:
        log_.LogDetailF("%s = %s", arg.name, text_.CurrencyText(arg.number).c_str());
        break;
      case LogArg::kText:
        log_.LogDetailF("%s = %s", arg.name, FromApp(arg.text).c_str());
        break;
    }
  }
}

std::u16string FptrService::ArgumentsKey(std::initializer_list<LogArg> args) {
  std::u16string key;
  for (const LogArg& arg : args) {
    key += char16_t(arg.kind);
    for (int shift = 0; shift < 64; shift += 16) key += char16_t(uint64_t(arg.number) >> shift);
    key += char16_t(arg.text.size() & 0xFFFF);
    key += char16_t(arg.text.size() >> 16);
    key += arg.text;
  }
  return key;
}

void FptrService::RecordMethod(Method method, std::initializer_list<LogArg> args) {
  std::u16string arguments = ArgumentsKey(args);
  if (method == methodNumber_ && arguments == callArguments_) return;
  methodNumber_ = method;
  callArguments_ = std::move(arguments);
  retrySteps_ = {};
}

void FptrService::EnterMethod(Method method, std::initializer_list<LogArg> args) {
  RecordMethod(method, args);
  device_.ResetError();
}

int32_t FptrService::Finish() {
  receipt_.AddToReceipt(device_.TakeReceiptChange());
  if (const auto failure = stateStore_.FailureToReport()) {
    // Said once: each later write would fail the same way.
    log_.LogErrorF("состояние чека не сохраняется: HKEY_LOCAL_MACHINE\\%s, ошибка %ld",
                   failure->keyPath.c_str(), failure->code);
    log_.LogError(
        "защита от повторной регистрации команд действует только до завершения программы");
  }
  const int32_t code = device_.ResultCode();
  device::LogResultCodes(log_, code, device_.ResultCodeExtended());
  return code;
}

int32_t FptrService::NotSupported(Method method, std::initializer_list<LogArg> args) {
  return Call(method, args, [&] { device_.SetIllegal(); });
}

}  // namespace orn::service
