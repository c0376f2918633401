// OrnAccess: the setups start it, elevated, so that a point-of-sale application under the
// cashier's own account (a member of BUILTIN\Users, no administrator) can keep what the
// driver writes besides the register:
//
//   OrnAccess state-key 32|64 KEY  creates HKLM\KEY in that registry view (the device's
//       Params key) and lets Users set values and create sub keys there, inherited by its
//       sub keys (CheckSumm); the device key above it is left alone, administrators only;
//   OrnAccess log-folder FOLDER    lets Users create files in FOLDER and read, write,
//       rename and delete the files in it (the log and its rotated copy).
//
// Users are granted these rights beside what they have; nothing is taken away. Exit status
// 0, or the Win32 error code of the call that failed, which is also printed.

#include <windows.h>

#include <aclapi.h>

#include <cstdio>
#include <cwchar>

namespace {

// What Users may do in the state key and its sub keys. Reading comes with HKLM\SOFTWARE.
constexpr DWORD kStateKeyRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
// On the log folder itself: create files, nothing more.
constexpr DWORD kLogFolderRights = FILE_ADD_FILE;
// On each file in it, present and future: the driver appends to the log, renames it to the
// old one when it is full, and deletes the old one first.
constexpr DWORD kLogFileRights = FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE;

DWORD Fail(const char* call, DWORD code) {
  std::printf("OrnAccess: %s failed, error %lu\n", call, static_cast<unsigned long>(code));
  return code;
}

// Frees what the security functions allocate with LocalAlloc.
struct LocalMemory {
  void* memory = nullptr;
  ~LocalMemory() { ::LocalFree(memory); }
};

struct UsersSid {
  BYTE sid[SECURITY_MAX_SID_SIZE] = {};
  bool Make() {
    DWORD size = sizeof(sid);
    return ::CreateWellKnownSid(WinBuiltinUsersSid, nullptr, sid, &size) != 0;
  }
};

EXPLICIT_ACCESSW Grant(UsersSid& users, DWORD rights, DWORD inheritance) {
  EXPLICIT_ACCESSW grant = {};
  grant.grfAccessPermissions = rights;
  grant.grfAccessMode = GRANT_ACCESS;
  grant.grfInheritance = inheritance;
  grant.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  grant.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  grant.Trustee.ptstrName = reinterpret_cast<LPWSTR>(users.sid);
  return grant;
}

// An entry of the list's own (not inherited) already gives Users these rights this way.
bool Granted(PACL dacl, const EXPLICIT_ACCESSW& grant) {
  constexpr BYTE kInheritFlags =
      OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE | NO_PROPAGATE_INHERIT_ACE | INHERIT_ONLY_ACE;
  for (DWORD index = 0; dacl != nullptr && index < dacl->AceCount; ++index) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    if (!::GetAce(dacl, index, reinterpret_cast<void**>(&ace))) continue;
    if (ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
        (ace->Header.AceFlags & (kInheritFlags | INHERITED_ACE)) == grant.grfInheritance &&
        (ace->Mask & grant.grfAccessPermissions) == grant.grfAccessPermissions &&
        ::EqualSid(&ace->SidStart, grant.Trustee.ptstrName))
      return true;
  }
  return false;
}

// The list `current` with the grants it lacks added; `result` stays empty when it lacks
// none. So a second setup leaves the list as the first made it (not every SetEntriesInAcl
// merges a grant into an equal entry).
DWORD AddGrants(PACL current, EXPLICIT_ACCESSW* grants, ULONG count, LocalMemory& result) {
  ULONG missing = 0;
  for (ULONG index = 0; index < count; ++index)
    if (!Granted(current, grants[index])) grants[missing++] = grants[index];
  if (missing == 0) return ERROR_SUCCESS;
  PACL merged = nullptr;
  const DWORD code = ::SetEntriesInAclW(missing, grants, current, &merged);
  result.memory = merged;
  return code == ERROR_SUCCESS ? code : Fail("SetEntriesInAcl", code);
}

DWORD GrantStateKey(REGSAM view, const wchar_t* path) {
  UsersSid users;
  if (!users.Make()) return Fail("CreateWellKnownSid", ::GetLastError());
  HKEY key = nullptr;
  DWORD code = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | WRITE_DAC | view, nullptr, &key, nullptr);
  if (code != ERROR_SUCCESS) return Fail("RegCreateKeyEx", code);
  PACL current = nullptr;
  LocalMemory descriptor, merged;
  code = ::GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                           &current, nullptr, &descriptor.memory);
  if (code != ERROR_SUCCESS) {
    Fail("GetSecurityInfo", code);
  } else {
    EXPLICIT_ACCESSW grant = Grant(users, kStateKeyRights, SUB_CONTAINERS_ONLY_INHERIT);
    code = AddGrants(current, &grant, 1, merged);
  }
  // Setting the list also hands the inheritable grant to sub keys already there.
  if (code == ERROR_SUCCESS && merged.memory != nullptr) {
    code = ::SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                             static_cast<PACL>(merged.memory), nullptr);
    if (code != ERROR_SUCCESS) Fail("SetSecurityInfo", code);
  }
  ::RegCloseKey(key);
  return code;
}

DWORD GrantLogFolder(const wchar_t* path) {
  UsersSid users;
  if (!users.Make()) return Fail("CreateWellKnownSid", ::GetLastError());
  PACL current = nullptr;
  LocalMemory descriptor, merged;
  DWORD code = ::GetNamedSecurityInfoW(path, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                       nullptr, &current, nullptr, &descriptor.memory);
  if (code != ERROR_SUCCESS) return Fail("GetNamedSecurityInfo", code);
  EXPLICIT_ACCESSW grants[] = {
      Grant(users, kLogFolderRights, NO_INHERITANCE),
      Grant(users, kLogFileRights, OBJECT_INHERIT_ACE | INHERIT_ONLY_ACE),
  };
  code = AddGrants(current, grants, ARRAYSIZE(grants), merged);
  if (code != ERROR_SUCCESS || merged.memory == nullptr) return code;
  // Setting the list also hands the file grant to the files already there.
  code =
      ::SetNamedSecurityInfoW(const_cast<wchar_t*>(path), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, static_cast<PACL>(merged.memory), nullptr);
  return code == ERROR_SUCCESS ? code : Fail("SetNamedSecurityInfo", code);
}

int Usage() {
  std::printf(
      "usage: OrnAccess state-key 32|64 KEY (under HKLM)\n"
      "       OrnAccess log-folder FOLDER\n");
  return ERROR_BAD_ARGUMENTS;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wcscmp(argv[1], L"state-key") == 0) {
    if (std::wcscmp(argv[2], L"32") == 0) return int(GrantStateKey(KEY_WOW64_32KEY, argv[3]));
    if (std::wcscmp(argv[2], L"64") == 0) return int(GrantStateKey(KEY_WOW64_64KEY, argv[3]));
  }
  if (argc == 3 && std::wcscmp(argv[1], L"log-folder") == 0) return int(GrantLogFolder(argv[2]));
  return Usage();
}
