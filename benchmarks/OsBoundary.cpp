#include "OsBoundary.h"

#include "OsCall.h"

namespace orn::benchmarks {

uint32_t OsClock::TickCount() {
  OsCall os;
  return clock_.TickCount();
}
void OsClock::Sleep(uint32_t milliseconds) {
  OsCall os;
  clock_.Sleep(milliseconds);
}
platform::LocalTime OsClock::Now() {
  OsCall os;
  return clock_.Now();
}

std::string OsText::AnsiFromUtf16(std::u16string_view text) {
  OsCall os;
  return text_.AnsiFromUtf16(text);
}
std::u16string OsText::Utf16FromAnsi(std::string_view text) {
  OsCall os;
  return text_.Utf16FromAnsi(text);
}
std::string OsText::AnsiFromOem(std::string_view text) {
  OsCall os;
  return text_.AnsiFromOem(text);
}
std::string OsText::OemFromAnsi(std::string_view text) {
  OsCall os;
  return text_.OemFromAnsi(text);
}
std::string OsText::CurrencyText(int64_t currency) {
  OsCall os;
  return text_.CurrencyText(currency);
}

platform::FileHandle OsFiles::OpenForAppend(const std::string& path) {
  OsCall os;
  return files_.OpenForAppend(path);
}
uint32_t OsFiles::Size(platform::FileHandle file) {
  OsCall os;
  return files_.Size(file);
}
bool OsFiles::Write(platform::FileHandle file, const void* data, uint32_t count) {
  OsCall os;
  return files_.Write(file, data, count);
}
void OsFiles::Close(platform::FileHandle file) {
  OsCall os;
  files_.Close(file);
}
bool OsFiles::Rename(const std::string& from, const std::string& to) {
  OsCall os;
  return files_.Rename(from, to);
}
bool OsFiles::Delete(const std::string& path) {
  OsCall os;
  return files_.Delete(path);
}

long OsRegistry::OpenKey(std::string_view path, platform::RegAccess access, platform::RegKey& key) {
  OsCall os;
  return registry_.OpenKey(path, access, key);
}
long OsRegistry::CreateKey(std::string_view path, platform::RegAccess access,
                           platform::RegKey& key) {
  OsCall os;
  return registry_.CreateKey(path, access, key);
}
long OsRegistry::QueryValue(platform::RegKey key, const char* name, uint32_t* type, uint8_t* data,
                            uint32_t* size) {
  OsCall os;
  return registry_.QueryValue(key, name, type, data, size);
}
long OsRegistry::SetValue(platform::RegKey key, const char* name, uint32_t type,
                          const uint8_t* data, uint32_t size) {
  OsCall os;
  return registry_.SetValue(key, name, type, data, size);
}
long OsRegistry::ValueNames(platform::RegKey key, std::vector<std::string>& names) {
  OsCall os;
  return registry_.ValueNames(key, names);
}
void OsRegistry::CloseKey(platform::RegKey key) {
  OsCall os;
  registry_.CloseKey(key);
}

}  // namespace orn::benchmarks
