#pragma once
// The driver's plain-text trace: OPOS calls with their parameters and results, every frame
// exchanged with the register as hex rows, and every error. Lines are ANSI text ended by
// CR LF; the file stays open between lines and, past its size limit, moves to the "old"
// name once. Nothing here ever reports a failure beyond its own result.

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/FileSystem.h"

#if defined(__GNUC__)
#define ORN_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define ORN_PRINTF_FORMAT(fmt, args)
#endif

namespace orn::config {

inline constexpr char kDefaultLogFileName[] = "C:\\FiscalPrinter.log";
inline constexpr size_t kFrameBytesPerRow = 20;

class DriverLog {
 public:
  DriverLog(platform::FileSystem& files, platform::Clock& clock);
  ~DriverLog();
  DriverLog(const DriverLog&) = delete;
  DriverLog& operator=(const DriverLog&) = delete;

  // Settings read from the registry. A new name takes effect once the open file is closed
  // by a rotation.
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  void SetSizeLimit(uint32_t bytes) { sizeLimit_ = bytes; }
  void SetFileName(std::string name) { fileName_ = std::move(name); }
  bool Enabled() const { return enabled_; }
  uint32_t SizeLimit() const { return sizeLimit_; }
  const std::string& FileName() const { return fileName_; }
  // The log is on, and the last attempt to open its file failed (no rights, a bad path):
  // its lines are lost until an attempt succeeds.
  bool FileFails() const { return enabled_ && openFailed_; }

  // "dd.mm.yyyy hh:mm:ss.mmm " and the text.
  bool LogMethod(std::string_view text);
  // A tab and the text.
  bool LogDetail(std::string_view text);
  bool LogDetailF(const char* format, ...) ORN_PRINTF_FORMAT(2, 3);
  // A blank line, the text as a detail line, a blank line.
  bool LogResult(std::string_view text);
  // "Ошибка: " and the text, as a detail line.
  bool LogError(std::string_view text);
  bool LogErrorF(const char* format, ...) ORN_PRINTF_FORMAT(2, 3);
  // Rows of at most 20 bytes as "%.2X ", each after a tab and the prefix.
  bool LogFrame(std::string_view prefix, const uint8_t* bytes, size_t count);
  // A blank line, then the request's rows after "-> ".
  bool LogSent(const uint8_t* bytes, size_t count);
  // The answer's rows after "<- ".
  bool LogReceived(const uint8_t* bytes, size_t count);
  bool WriteLine(std::string_view text);

 private:
  bool Open();
  void Close();
  void CheckSize(uint32_t bytesToWrite);
  bool WriteDetail(std::string_view prefix, const char* format, va_list args);

  platform::FileSystem& files_;
  platform::Clock& clock_;
  platform::FileHandle file_ = platform::kInvalidFile;
  bool enabled_ = false;
  bool openFailed_ = false;
  uint32_t sizeLimit_ = 0;
  std::string fileName_ = kDefaultLogFileName;
  std::string line_;  // reused for every composed line
};

}  // namespace orn::config
