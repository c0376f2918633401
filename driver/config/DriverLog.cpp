#include "config/DriverLog.h"

#include <cstdio>

namespace orn::config {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kErrorPrefix = "Ошибка: ";
}  // namespace

DriverLog::DriverLog(platform::FileSystem& files, platform::Clock& clock)
    : files_(files), clock_(clock) {
  line_.reserve(256);
}

DriverLog::~DriverLog() {
  Close();
}

bool DriverLog::Open() {
  if (file_ == platform::kInvalidFile) file_ = files_.OpenForAppend(fileName_);
  openFailed_ = file_ == platform::kInvalidFile;
  return !openFailed_;
}

void DriverLog::Close() {
  if (file_ != platform::kInvalidFile) files_.Close(file_);
  file_ = platform::kInvalidFile;
}

void DriverLog::CheckSize(uint32_t bytesToWrite) {
  if (sizeLimit_ == 0) return;
  const uint32_t size = files_.Size(file_);
  // A size that cannot be read tells nothing; keep writing rather than rotate blindly.
  if (size == platform::kInvalidFileSize) return;
  if (uint64_t(size) + bytesToWrite <= sizeLimit_) return;
  Close();
  std::string oldName = fileName_.substr(0, fileName_.size() < 3 ? 0 : fileName_.size() - 3);
  oldName += "old";
  files_.Delete(oldName);
  files_.Rename(fileName_, oldName);
  Open();
}

bool DriverLog::WriteLine(std::string_view text) {
  if (!enabled_ || !Open()) return false;
  CheckSize(uint32_t(text.size() + kLineEnd.size()));
  if (file_ == platform::kInvalidFile) return false;  // the reopen after rotation failed
  return files_.Write(file_, text.data(), uint32_t(text.size())) &&
         files_.Write(file_, kLineEnd.data(), uint32_t(kLineEnd.size()));
}

bool DriverLog::LogMethod(std::string_view text) {
  if (!enabled_) return false;  // no time stamp read and formatted for nothing
  const platform::LocalTime t = clock_.Now();
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%.2d.%.2d.%.4d %.2d:%.2d:%.2d.%.3d ", t.day, t.month, t.year,
                t.hour, t.minute, t.second, t.millisecond);
  line_.assign(stamp);
  line_.append(text);
  return WriteLine(line_);
}

bool DriverLog::LogDetail(std::string_view text) {
  line_.assign("\t");
  line_.append(text);
  return WriteLine(line_);
}

bool DriverLog::WriteDetail(std::string_view prefix, const char* format, va_list args) {
  // Every OPOS call logs its parameters: with the log off, none is formatted.
  if (!enabled_) return false;
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0) return false;
  line_.assign("\t");
  line_.append(prefix);
  const size_t start = line_.size();
  line_.resize(start + size_t(length) + 1);
  std::vsnprintf(line_.data() + start, size_t(length) + 1, format, args);
  line_.resize(start + size_t(length));
  return WriteLine(line_);
}

bool DriverLog::LogDetailF(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const bool written = WriteDetail({}, format, args);
  va_end(args);
  return written;
}

bool DriverLog::LogResult(std::string_view text) {
  return WriteLine({}) && LogDetail(text) && WriteLine({});
}

bool DriverLog::LogError(std::string_view text) {
  line_.assign("\t");
  line_.append(kErrorPrefix);
  line_.append(text);
  return WriteLine(line_);
}

bool DriverLog::LogErrorF(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const bool written = WriteDetail(kErrorPrefix, format, args);
  va_end(args);
  return written;
}

bool DriverLog::LogFrame(std::string_view prefix, const uint8_t* bytes, size_t count) {
  // Every exchange logs two frames: with the log off, no row is formatted.
  if (!enabled_) return false;
  if (count == 0) return LogDetail(prefix);
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (size_t row = 0; row < count; row += kFrameBytesPerRow) {
    // A fixed row buffer: tab, prefix and 20 bytes of "XX ".
    char text[1 + 8 + kFrameBytesPerRow * 3];
    size_t length = 0;
    text[length++] = '\t';
    for (char c : prefix.substr(0, 8)) text[length++] = c;
    const size_t end = row + kFrameBytesPerRow < count ? row + kFrameBytesPerRow : count;
    for (size_t i = row; i < end; ++i) {
      text[length++] = kHex[bytes[i] >> 4];
      text[length++] = kHex[bytes[i] & 0x0F];
      text[length++] = ' ';
    }
    if (!WriteLine(std::string_view(text, length))) return false;
  }
  return true;
}

bool DriverLog::LogSent(const uint8_t* bytes, size_t count) {
  return WriteLine({}) && LogFrame("-> ", bytes, count);
}

bool DriverLog::LogReceived(const uint8_t* bytes, size_t count) {
  return LogFrame("<- ", bytes, count);
}

}  // namespace orn::config
