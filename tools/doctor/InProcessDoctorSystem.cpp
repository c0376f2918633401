#include "InProcessDoctorSystem.h"

#include "service/FptrService.h"

namespace orn::ornfr {

namespace {

// The service object's ErrorString property.
constexpr int32_t kErrorStringIndex = 1016001;

}  // namespace

InProcessDoctorSystem::InProcessDoctorSystem(const platform::Platform& platform,
                                             platform::PortProvider& ports,
                                             std::string registryName)
    : platform_(platform), ports_(ports), registryName_(std::move(registryName)) {}

OpenOutcome InProcessDoctorSystem::OpenServiceObject(const std::string&,
                                                     const std::string& device) {
  OpenOutcome outcome;
  outcome.ran = true;
  outcome.where = "служебный объект (код драйвера в этом процессе)";
  service::FptrService fptr(platform_, Ports());
  outcome.resultCode =
      fptr.OpenService(u"FiscalPrinter", platform_.text.Utf16FromAnsi(device), nullptr);
  outcome.openResult = fptr.GetOpenResult();
  std::u16string text;
  fptr.GetPropertyString(kErrorStringIndex, text);
  outcome.errorText = platform_.text.AnsiFromUtf16(text);
  if (outcome.resultCode == 0) fptr.CloseService();
  return outcome;
}

}  // namespace orn::ornfr
