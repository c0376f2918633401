// ShowRights: what a standard user (BUILTIN\Users and the groups every account is in) may
// do with a registry key or a folder, read back from its security descriptor with the
// Windows API, for the installer test:
//
//   ShowRights key 32|64 KEY   HKLM\KEY in that registry view
//   ShowRights folder FOLDER
//
// Two lines: "this: RIGHTS" for the object itself and "sub keys: RIGHTS" or "files:
// RIGHTS" for what its children inherit; RIGHTS are names (set-value, add-file, ...) or
// "none". Allowed entries are added up, denied ones taken away.

#include <windows.h>

#include <aclapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

enum class Kind { kKey, kFolder };

// One access bit and its name on a key, on a folder and on a file (none: shown in hex).
struct RightName {
  DWORD bit;
  const char* key;
  const char* folder;
  const char* file;
};

constexpr RightName kRightNames[] = {
    {0x0001, "query-value", "list", "read-data"},
    {0x0002, "set-value", "add-file", "write-data"},
    {0x0004, "create-sub-key", "add-subfolder", "append-data"},
    {0x0008, "enumerate-sub-keys", "read-ea", "read-ea"},
    {0x0010, "notify", "write-ea", "write-ea"},
    {0x0020, "create-link", "traverse", "execute"},
    {0x0040, nullptr, "delete-child", nullptr},
    {0x0080, nullptr, "read-attributes", "read-attributes"},
    {0x0100, nullptr, "write-attributes", "write-attributes"},
    {DELETE, "delete", "delete", "delete"},
    {READ_CONTROL, "read-control", "read-control", "read-control"},
    {WRITE_DAC, "write-dac", "write-dac", "write-dac"},
    {WRITE_OWNER, "write-owner", "write-owner", "write-owner"},
    {SYNCHRONIZE, "synchronize", "synchronize", "synchronize"},
};

// The groups a cashier's account is always in.
constexpr WELL_KNOWN_SID_TYPE kUserGroups[] = {WinBuiltinUsersSid, WinWorldSid,
                                               WinAuthenticatedUserSid, WinInteractiveSid};

bool IsUserGroup(PSID sid) {
  for (WELL_KNOWN_SID_TYPE group : kUserGroups)
    if (::IsWellKnownSid(sid, group)) return true;
  return false;
}

std::string Names(DWORD rights, const char* RightName::*column) {
  std::string text;
  for (const RightName& name : kRightNames) {
    if ((rights & name.bit) == 0 || name.*column == nullptr) continue;
    if (!text.empty()) text += ' ';
    text += name.*column;
    rights &= ~name.bit;
  }
  if (rights != 0) {
    char rest[16];
    std::snprintf(rest, sizeof(rest), "0x%lx", static_cast<unsigned long>(rights));
    text += text.empty() ? rest : std::string(" ") + rest;
  }
  return text.empty() ? "none" : text;
}

// The rights of the user groups on the object itself and on the children that inherit.
struct Rights {
  DWORD self = 0;
  DWORD children = 0;
};

Rights UserRights(PACL dacl, Kind kind) {
  GENERIC_MAPPING mapping = kind == Kind::kKey
                                ? GENERIC_MAPPING{KEY_READ, KEY_WRITE, KEY_EXECUTE, KEY_ALL_ACCESS}
                                : GENERIC_MAPPING{FILE_GENERIC_READ, FILE_GENERIC_WRITE,
                                                  FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
  // Sub keys inherit container entries; files inherit object entries.
  const BYTE childFlag = kind == Kind::kKey ? CONTAINER_INHERIT_ACE : OBJECT_INHERIT_ACE;
  Rights allowed, denied;
  // No DACL at all lets everyone do everything.
  if (dacl == nullptr) return Rights{mapping.GenericAll, mapping.GenericAll};
  for (DWORD index = 0; index < dacl->AceCount; ++index) {
    ACE_HEADER* header = nullptr;
    if (!::GetAce(dacl, index, reinterpret_cast<void**>(&header))) continue;
    Rights* target = header->AceType == ACCESS_ALLOWED_ACE_TYPE  ? &allowed
                     : header->AceType == ACCESS_DENIED_ACE_TYPE ? &denied
                                                                 : nullptr;
    if (target == nullptr) continue;
    // Allowed and denied entries share their layout.
    auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
    if (!IsUserGroup(&ace->SidStart)) continue;
    DWORD mask = ace->Mask;
    ::MapGenericMask(&mask, &mapping);
    if ((header->AceFlags & INHERIT_ONLY_ACE) == 0) target->self |= mask;
    if ((header->AceFlags & childFlag) != 0) target->children |= mask;
  }
  return Rights{allowed.self & ~denied.self, allowed.children & ~denied.children};
}

int Show(PACL dacl, Kind kind) {
  const Rights rights = UserRights(dacl, kind);
  if (kind == Kind::kKey) {
    std::printf("this: %s\n", Names(rights.self, &RightName::key).c_str());
    std::printf("sub keys: %s\n", Names(rights.children, &RightName::key).c_str());
  } else {
    std::printf("this: %s\n", Names(rights.self, &RightName::folder).c_str());
    std::printf("files: %s\n", Names(rights.children, &RightName::file).c_str());
  }
  return 0;
}

int Fail(const char* call, DWORD code) {
  std::printf("ShowRights: %s failed, error %lu\n", call, static_cast<unsigned long>(code));
  return 1;
}

int ShowKey(REGSAM view, const wchar_t* path) {
  HKEY key = nullptr;
  DWORD code = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, READ_CONTROL | view, &key);
  if (code != ERROR_SUCCESS) return Fail("RegOpenKeyEx", code);
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  code = ::GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                           nullptr, &descriptor);
  ::RegCloseKey(key);
  if (code != ERROR_SUCCESS) return Fail("GetSecurityInfo", code);
  const int status = Show(dacl, Kind::kKey);
  ::LocalFree(descriptor);
  return status;
}

int ShowFolder(const wchar_t* path) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD code = ::GetNamedSecurityInfoW(path, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                             nullptr, nullptr, &dacl, nullptr, &descriptor);
  if (code != ERROR_SUCCESS) return Fail("GetNamedSecurityInfo", code);
  const int status = Show(dacl, Kind::kFolder);
  ::LocalFree(descriptor);
  return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wcscmp(argv[1], L"key") == 0) {
    if (std::wcscmp(argv[2], L"32") == 0) return ShowKey(KEY_WOW64_32KEY, argv[3]);
    if (std::wcscmp(argv[2], L"64") == 0) return ShowKey(KEY_WOW64_64KEY, argv[3]);
  }
  if (argc == 3 && std::wcscmp(argv[1], L"folder") == 0) return ShowFolder(argv[2]);
  std::printf("usage: ShowRights key 32|64 KEY | ShowRights folder FOLDER\n");
  return 2;
}
