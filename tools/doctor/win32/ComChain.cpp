// Checks 2 and 3: a class registered in one registry view, its DLL of that view's
// architecture, the service object's type library, and the OPOS control.

#include "win32/ComChain.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "FPTRLib.h"

namespace orn::ornfr::win32 {

namespace {

constexpr char kControlProgId[] = "OPOS.FiscalPrinter";

// The default value of a key under HKEY_CLASSES_ROOT in the view; empty when missing.
std::string ClassesValue(const View& view, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | view.flags, &key) !=
      ERROR_SUCCESS)
    return {};
  char buffer[MAX_PATH * 2] = {};
  DWORD size = sizeof buffer - 1;
  DWORD type = 0;
  const LONG code =
      ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  ::RegCloseKey(key);
  if (code != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  std::string value(buffer);
  if (type == REG_EXPAND_SZ) {
    char expanded[MAX_PATH * 2] = {};
    if (::ExpandEnvironmentStringsA(value.c_str(), expanded, sizeof expanded)) value = expanded;
  }
  return value;
}

bool HasSubKey(const View& view, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | view.flags, &key) !=
      ERROR_SUCCESS)
    return false;
  ::RegCloseKey(key);
  return true;
}

// 32 or 64 from the machine field of a Windows program's header; 0 when the file cannot
// be read, -1 when it is no Windows program. A 32-bit process reads the 64-bit system
// folder itself, not its 32-bit stand-in.
int ProgramBits(const std::string& path) {
  using Redirection = BOOL(WINAPI*)(PVOID*);
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  auto disable = reinterpret_cast<Redirection>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
  auto revert = reinterpret_cast<Redirection>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
  PVOID old = nullptr;
  const bool redirected = disable && revert && disable(&old);
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (redirected) revert(&old);
  if (file == INVALID_HANDLE_VALUE) return 0;
  uint8_t header[4096] = {};
  DWORD read = 0;
  ::ReadFile(file, header, sizeof header, &read, nullptr);
  ::CloseHandle(file);
  if (read < 0x40 || header[0] != 'M' || header[1] != 'Z') return -1;
  const uint32_t pe =
      header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | uint32_t(header[0x3F]) << 24;
  if (pe + 6 > read || header[pe] != 'P' || header[pe + 1] != 'E') return -1;
  const uint16_t machine = uint16_t(header[pe + 4] | header[pe + 5] << 8);
  if (machine == IMAGE_FILE_MACHINE_I386) return 32;
  if (machine == IMAGE_FILE_MACHINE_AMD64) return 64;
  return -1;
}

std::string Bits(int bits) {
  return std::to_string(bits) + "-разрядн";
}

std::string GuidText(const GUID& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
  return text;
}

bool SameGuid(const std::string& a, const std::string& b) {
  return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// The class's DLL in the view: present and of the view's architecture. Returns its path.
std::string CheckServer(const View& view, const std::string& clsid, const char* what,
                        const std::string& advice, Finding& finding) {
  const std::string where = Bits(view.bits) + "ом реестре";
  const std::string path = ClassesValue(view, "CLSID\\" + clsid + "\\InprocServer32");
  if (path.empty()) {
    finding.Add(Verdict::kFailure,
                std::string(what) + " " + clsid + " не зарегистрирован в " + where + ": " +
                    Bits(view.bits) +
                    "ое приложение его не создаст (80040154, класс не "
                    "зарегистрирован)",
                advice);
    return {};
  }
  const int bits = ProgramBits(path);
  if (bits == 0)
    finding.Add(Verdict::kFailure, "файл " + path + " не найден", advice);
  else if (bits < 0)
    finding.Add(Verdict::kFailure, "файл " + path + " не программа Windows", advice);
  else if (bits != view.bits)
    finding.Add(Verdict::kFailure,
                path + " " + Bits(bits) + "ый, а записан в " + where + ": " + Bits(view.bits) +
                    "ое приложение не загрузит его",
                advice);
  return path;
}

}  // namespace

std::string RegisterAdvice(const View& view) {
  std::string regsvr32 = "regsvr32";
  if (view.twoViews)
    regsvr32 += view.bits == 32 ? " из C:\\Windows\\SysWOW64" : " из C:\\Windows\\System32";
  return "зарегистрируйте " + Bits(view.bits) + "ый OrnDriver.dll программой " + regsvr32 +
         " или переустановите драйвер (OrnitaOPOS-setup.exe)";
}

Finding CheckServiceClass(const View& view, const std::string& progId) {
  Finding finding;
  const std::string advice = RegisterAdvice(view);
  const std::string clsid = ClassesValue(view, progId + "\\CLSID");
  if (clsid.empty()) {
    finding.Add(Verdict::kFailure,
                "ProgID " + progId + " не зарегистрирован (приложение получит OpenResult 303)",
                advice);
    return finding;
  }
  const std::string path = CheckServer(view, clsid, "класс", advice, finding);
  if (path.empty()) return finding;

  // The type library only for our own class: another maker's object has its own.
  std::string library = "";
  if (SameGuid(clsid, GuidText(CLSID_FiscPrinter))) {
    const std::string libid = GuidText(LIBID_FPTRLib);
    const std::string platform = view.bits == 64 ? "win64" : "win32";
    bool registered = false;
    for (const char* locale : {"0", "409"})
      registered =
          registered ||
          !ClassesValue(view, "TypeLib\\" + libid + "\\1.0\\" + locale + "\\" + platform).empty();
    if (!registered)
      finding.Add(Verdict::kFailure,
                  "библиотека типов FPTRLib (" + platform +
                      ") не зарегистрирована: вызовы по имени не пройдут",
                  advice);
    library = ", библиотека типов зарегистрирована";
  }
  if (finding.verdict != Verdict::kFailure)
    finding.Add(Verdict::kOk,
                progId + " " + clsid + ": " + path + " (" + Bits(view.bits) + "ый)" + library);
  return finding;
}

Finding CheckControl(const View& view) {
  Finding finding;
  const std::string advice = "установите OPOS Common Control Objects (OPOS CCO) " +
                             Bits(view.bits) + "ые, той же разрядности, что и приложение";
  const std::string clsid = ClassesValue(view, std::string(kControlProgId) + "\\CLSID");
  if (clsid.empty() || !HasSubKey(view, "CLSID\\" + clsid)) {
    finding.Add(Verdict::kFailure,
                std::string(kControlProgId) + " не зарегистрирован в " + Bits(view.bits) +
                    "ом реестре: " + Bits(view.bits) +
                    "ое приложение не создаст его (80040154, класс не зарегистрирован)",
                advice);
    return finding;
  }
  const std::string path = CheckServer(view, clsid, kControlProgId, advice, finding);
  if (!path.empty() && finding.verdict != Verdict::kFailure)
    finding.Add(Verdict::kOk, std::string(kControlProgId) + " " + clsid + ": " + path + " (" +
                                  Bits(view.bits) + "ый)");
  return finding;
}

}  // namespace orn::ornfr::win32
