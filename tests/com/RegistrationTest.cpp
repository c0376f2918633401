// regsvr32 registers and unregisters the server with exactly its keys.

#include <gtest/gtest.h>

#include "ComTestSupport.h"
#include "FptrInterface.h"

namespace orn::comtest {
namespace {

// The keys the server owns below HKEY_CLASSES_ROOT.
KeyTree ServerKeys() {
  KeyTree keys;
  for (const wchar_t* root : {L"Ornita.FiscalPrinter", L"Ornita.FiscalPrinter.1"}) {
    keys.merge(ReadTree(root));
  }
  keys.merge(ReadTree(L"CLSID\\" + GuidText(CLSID_FiscPrinter)));
  return keys;
}

// Paths compared as Windows compares them; wine registers type libraries under the
// "\\?\" form of the path.
bool SamePath(std::wstring a, std::wstring b) {
  for (std::wstring* path : {&a, &b}) {
    if (path->rfind(L"\\\\?\\", 0) == 0) path->erase(0, 4);
  }
  return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

TEST(Registration, Regsvr32WritesExactlyTheProgIdsTheClassAndTheTypeLibrary) {
  ASSERT_EQ(RunRegsvr32(true), 0);
  ASSERT_TRUE(ServerKeys().empty());
  ASSERT_EQ(RunRegsvr32(false), 0);

  const std::wstring clsid = GuidText(CLSID_FiscPrinter);
  const std::wstring classKey = L"CLSID\\" + clsid;
  KeyTree keys = ServerKeys();
  // The module path is compared apart: its letter case follows how the DLL was loaded.
  std::wstring server = keys[classKey + L"\\InprocServer32"][L""];
  EXPECT_TRUE(SamePath(server, DriverPath()))
      << "InprocServer32 is " << testing::PrintToString(server);
  keys[classKey + L"\\InprocServer32"][L""] = L"(the DLL)";

  KeyTree expected{
      {L"Ornita.FiscalPrinter.1", {{L"", L"FiscalPrinter Class"}}},
      {L"Ornita.FiscalPrinter.1\\CLSID", {{L"", clsid}}},
      {L"Ornita.FiscalPrinter", {{L"", L"FiscalPrinter Class"}}},
      {L"Ornita.FiscalPrinter\\CLSID", {{L"", clsid}}},
      {L"Ornita.FiscalPrinter\\CurVer", {{L"", L"Ornita.FiscalPrinter.1"}}},
      {classKey, {{L"", L"FiscPrinter Class"}}},
      {classKey + L"\\ProgID", {{L"", L"Ornita.FiscalPrinter.1"}}},
      {classKey + L"\\VersionIndependentProgID", {{L"", L"Ornita.FiscalPrinter"}}},
      {classKey + L"\\Programmable", {}},
      {classKey + L"\\InprocServer32", {{L"", L"(the DLL)"}, {L"ThreadingModel", L"Apartment"}}},
      {classKey + L"\\TypeLib", {{L"", GuidText(LIBID_FPTRLib)}}},
  };
  EXPECT_EQ(keys, expected);

  // The type library, registered for this platform, points at the DLL.
  const std::wstring platform = kSysKind == SYS_WIN64 ? L"win64" : L"win32";
  KeyTree library = ReadTree(L"TypeLib\\" + GuidText(LIBID_FPTRLib));
  EXPECT_TRUE(
      SamePath(library[L"TypeLib\\" + GuidText(LIBID_FPTRLib) + L"\\1.0\\409\\" + platform][L""],
               DriverPath()));
  EXPECT_EQ(library[L"TypeLib\\" + GuidText(LIBID_FPTRLib) + L"\\1.0"][L""],
            L"Fptr 1.0 Type Library");
  EXPECT_TRUE(KeyExists(L"Interface\\" + GuidText(IID_IFptr)));
}

TEST(Registration, Regsvr32UnregisterRemovesEverythingButTheClsidKey) {
  ASSERT_EQ(RunRegsvr32(false), 0);
  ASSERT_EQ(RunRegsvr32(true), 0);
  EXPECT_EQ(ServerKeys(), KeyTree{});
  EXPECT_FALSE(KeyExists(L"TypeLib\\" + GuidText(LIBID_FPTRLib)));
  EXPECT_FALSE(KeyExists(L"Interface\\" + GuidText(IID_IFptr)));
  EXPECT_TRUE(KeyExists(L"CLSID"));
  // A second unregistration finds nothing to do and succeeds.
  EXPECT_EQ(RunRegsvr32(true), 0);
  // The other tests need the server registered.
  ASSERT_EQ(RunRegsvr32(false), 0);
}

}  // namespace
}  // namespace orn::comtest
