// Checks 7 and 8: what the driver writes besides the register: its log, and the receipt
// state that lets a receipt go on after the point of sale crashed.

#include <string>

#include "DoctorChecks.h"
#include "config/RegistryKey.h"

namespace orn::ornfr {

namespace {

constexpr char kProbeName[] = "ornfr-doctor.tmp";

// Opening for appending creates a missing file; a file that is empty afterwards was made
// here or holds nothing, and goes again.
bool CanAppend(platform::FileSystem& files, const std::string& path) {
  const platform::FileHandle file = files.OpenForAppend(path);
  if (file == platform::kInvalidFile) return false;
  const uint32_t size = files.Size(file);
  files.Close(file);
  if (size == 0) files.Delete(path);
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

Finding CheckLog(const config::DriverLog& log, bool driverKeyRead, Environment& env) {
  const std::string source = driverKeyRead ? "" : " (ключа драйвера нет, действуют умолчания)";
  if (!log.Enabled()) return Ok("выключен (LogEnabled = 0)" + source);
  std::string text = "включён" + source + ": " + log.FileName();
  if (log.SizeLimit() != 0)
    text += ", до " + std::to_string((log.SizeLimit() + 1048575u) / 1048576u) + " МБ";
  if (CanAppend(env.files, log.FileName())) return Ok(text + ", запись возможна");

  const std::string folder = FolderOf(log.FileName());
  Finding finding = Ok(text);
  if (CanAppend(env.files, folder + kProbeName))
    finding.Add(Verdict::kWarning,
                "файл не открывается на запись: его держит другая программа (работающая касса?) "
                "или он только для чтения",
                "если касса закрыта, снимите с файла атрибут \"только чтение\" или дайте право "
                "записи");
  else
    finding.Add(Verdict::kWarning, "в папку " + folder + " нельзя писать",
                "создайте папку и дайте пользователю кассы право записи в неё или укажите другой "
                "LogFileName");
  return finding;
}

Finding CheckStateKey(platform::Registry& registry, const std::string& paramsKeyPath) {
  config::RegistryKey key(registry);
  const long code = key.Create(paramsKeyPath, platform::RegAccess::kReadWrite);
  if (code == platform::kErrorSuccess)
    return Ok("ключ HKLM\\" + paramsKeyPath + " открывается на запись");
  return Finding{
      Verdict::kWarning,
      "ключ HKLM\\" + paramsKeyPath + " не открывается на запись (код " + std::to_string(code) +
          "): после сбоя кассы состояние открытого чека не сохранится и не восстановится",
      "дайте пользователю кассы право записи в ключ устройства (regedit, Разрешения)"};
}

}  // namespace orn::ornfr
