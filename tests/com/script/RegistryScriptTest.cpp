#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "RegistryScript.h"

namespace orn::com {
namespace {

// A registry as a sorted map of key paths to their values; it can be told to fail a call.
class RecordingRegistry : public ScriptRegistry {
 public:
  using Values = std::map<std::u16string, std::u16string>;

  bool CreateKey(std::u16string_view path) override {
    if (Fails(path)) return false;
    keys[std::u16string(path)];
    return true;
  }
  bool KeyExists(std::u16string_view path) override { return keys.count(std::u16string(path)); }
  bool SetString(std::u16string_view path, std::u16string_view name,
                 std::u16string_view value) override {
    auto key = keys.find(std::u16string(path));
    if (key == keys.end() || Fails(path)) return false;
    key->second[std::u16string(name)] = value;
    return true;
  }
  bool SetNumber(std::u16string_view path, std::u16string_view name, uint32_t value) override {
    return SetString(path, name, u"#" + ToU16(std::to_string(value)));
  }
  bool DeleteTree(std::u16string_view path) override {
    if (Fails(path)) return false;
    std::u16string prefix = std::u16string(path) + u"\\";
    for (auto key = keys.begin(); key != keys.end();) {
      bool inside = key->first == path || key->first.rfind(prefix, 0) == 0;
      key = inside ? keys.erase(key) : std::next(key);
    }
    return true;
  }
  bool DeleteValue(std::u16string_view path, std::u16string_view name) override {
    auto key = keys.find(std::u16string(path));
    if (key != keys.end()) key->second.erase(std::u16string(name));
    return true;
  }

  static std::u16string ToU16(std::string_view text) { return {text.begin(), text.end()}; }

  std::map<std::u16string, Values> keys;
  std::u16string failingPath;

 private:
  bool Fails(std::u16string_view path) const { return !failingPath.empty() && path == failingPath; }
};

std::u16string U16(std::string_view text) {
  return RecordingRegistry::ToU16(text);
}

std::string ProductScript() {
  std::ifstream file(ORN_SCRIPT_FILE, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

const ScriptVariables kModule{{u"MODULE", u"C:\\Program Files\\Ornita\\OrnDriver.dll"}};

TEST(RegistryScript, TheProductScriptRegistersTheProgIdsTheClassAndNothingElse) {
  RecordingRegistry registry;
  ScriptOutcome outcome =
      RunRegistryScript(ProductScript(), kModule, ScriptPass::kRegister, registry);
  ASSERT_TRUE(outcome.ok) << outcome.error;

  const std::u16string clsid = U16("{" ORN_CLSID "}");
  const std::u16string classKey = u"CLSID\\" + clsid;
  using Values = RecordingRegistry::Values;
  std::map<std::u16string, Values> expected{
      {u"Ornita.FiscalPrinter.1", {{u"", u"FiscalPrinter Class"}}},
      {u"Ornita.FiscalPrinter.1\\CLSID", {{u"", clsid}}},
      {u"Ornita.FiscalPrinter", {{u"", u"FiscalPrinter Class"}}},
      {u"Ornita.FiscalPrinter\\CLSID", {{u"", clsid}}},
      {u"Ornita.FiscalPrinter\\CurVer", {{u"", u"Ornita.FiscalPrinter.1"}}},
      {u"CLSID", {}},
      {classKey, {{u"", u"FiscPrinter Class"}}},
      {classKey + u"\\ProgID", {{u"", u"Ornita.FiscalPrinter.1"}}},
      {classKey + u"\\VersionIndependentProgID", {{u"", u"Ornita.FiscalPrinter"}}},
      {classKey + u"\\Programmable", {}},
      {classKey + u"\\InprocServer32",
       {{u"", u"C:\\Program Files\\Ornita\\OrnDriver.dll"}, {u"ThreadingModel", u"Apartment"}}},
      {classKey + u"\\TypeLib", {{u"", U16("{" ORN_LIBID "}")}}},
  };
  EXPECT_EQ(registry.keys, expected);
}

TEST(RegistryScript, UnregistrationRemovesTheServerAndKeepsEverythingElse) {
  RecordingRegistry registry;
  registry.keys[u"CLSID\\{00000000-0000-0000-0000-000000000001}"] = {{u"", u"another server"}};
  registry.keys[u"Other.ProgID"] = {};
  auto before = registry.keys;
  ASSERT_TRUE(RunRegistryScript(ProductScript(), kModule, ScriptPass::kRegister, registry).ok);

  ScriptOutcome outcome =
      RunRegistryScript(ProductScript(), kModule, ScriptPass::kUnregister, registry);
  ASSERT_TRUE(outcome.ok) << outcome.error;
  before[u"CLSID"];  // created by the registration when missing, and never removed
  EXPECT_EQ(registry.keys, before);

  // Unregistering what is not registered changes nothing and succeeds.
  EXPECT_TRUE(RunRegistryScript(ProductScript(), kModule, ScriptPass::kUnregister, registry).ok);
  EXPECT_EQ(registry.keys, before);
}

TEST(RegistryScript, ForceRemoveDropsWhatAnEarlierRegistrationLeftInTheKey) {
  RecordingRegistry registry;
  const std::string script =
      "HKCR\n{\n NoRemove CLSID\n {\n  ForceRemove {X} = s 'new'\n  {\n   InprocServer32 = s "
      "'%MODULE%'\n  }\n }\n}\n";
  registry.keys[u"CLSID\\{X}"] = {{u"", u"old"}};
  registry.keys[u"CLSID\\{X}\\LocalServer32"] = {{u"", u"old.exe"}};
  ASSERT_TRUE(RunRegistryScript(script, kModule, ScriptPass::kRegister, registry).ok);
  EXPECT_FALSE(registry.KeyExists(u"CLSID\\{X}\\LocalServer32"));
  EXPECT_EQ(registry.keys[u"CLSID\\{X}"][u""], u"new");
}

TEST(RegistryScript, AReplacedPathIsStoredVerbatimWhateverItHolds) {
  RecordingRegistry registry;
  const std::u16string path = u"D:\\Кассы\\O'Brien 100%\\{OrnDriver}.dll";
  ScriptOutcome outcome =
      RunRegistryScript("HKCR { Key = s '%MODULE%' { val V = s '[%MODULE%]' } }",
                        {{u"MODULE", path}}, ScriptPass::kRegister, registry);
  ASSERT_TRUE(outcome.ok) << outcome.error;
  EXPECT_EQ(registry.keys[u"Key"][u""], path);
  EXPECT_EQ(registry.keys[u"Key"][u"V"], u"[" + path + u"]");
}

TEST(RegistryScript, QuotesPercentSignsNumbersAndKeywordCase) {
  RecordingRegistry registry;
  ScriptOutcome outcome = RunRegistryScript(
      "hkey_classes_root {\r\n noremove 'NoRemove' = s 'it''s 100%%'\r\n {\r\n  VAL Hex = d "
      "0x1F\r\n  val Dec = d '4294967295'\r\n }\r\n}\r\n",
      {}, ScriptPass::kRegister, registry);
  ASSERT_TRUE(outcome.ok) << outcome.error;
  EXPECT_EQ(registry.keys[u"NoRemove"][u""], u"it's 100%");
  EXPECT_EQ(registry.keys[u"NoRemove"][u"Hex"], u"#31");
  EXPECT_EQ(registry.keys[u"NoRemove"][u"Dec"], u"#4294967295");

  // The key was NoRemove: unregistering takes its values away and keeps it.
  ASSERT_TRUE(RunRegistryScript("HKCR { NoRemove 'NoRemove' { val Hex = d 1 } }", {},
                                ScriptPass::kUnregister, registry)
                  .ok);
  EXPECT_TRUE(registry.KeyExists(u"NoRemove"));
  EXPECT_EQ(registry.keys[u"NoRemove"].count(u"Hex"), 0u);
  EXPECT_EQ(registry.keys[u"NoRemove"].count(u"Dec"), 1u);
}

TEST(RegistryScript, AFaultyScriptIsRejectedWithItsLineAndChangesNothing) {
  struct Case {
    const char* script;
    const char* error;
  };
  const Case cases[] = {
      {"HKCR\n{\n A = s 'x'\n B = s '%PATH%'\n}", "line 4: unknown variable %PATH%"},
      {"HKCR\n{\n A = s 'open\n}", "line 3: unterminated quote"},
      {"HKCR\n{\n A = s 'x'\n", "line 3: a key name expected at the end of the script"},
      {"HKLM\n{\n}", "line 1: unsupported root 'HKLM'"},
      {"HKCR { A = b '00' }", "line 1: unsupported value type 'b'"},
      {"HKCR { A = d 4294967296 }", "line 1: the number does not fit 32 bits"},
      {"HKCR { A = d 12z }", "line 1: a number expected"},
      {"HKCR { 'A\\B' }", "line 1: a key name must be one non-empty part"},
      {"HKCR { A = s 'x' }\xC0", "line 1: a character outside ASCII"},
      {"HKCR A", "line 1: '{' expected"},
  };
  for (const Case& c : cases) {
    RecordingRegistry registry;
    ScriptOutcome outcome = RunRegistryScript(c.script, kModule, ScriptPass::kRegister, registry);
    EXPECT_FALSE(outcome.ok) << c.script;
    EXPECT_EQ(outcome.error, c.error) << c.script;
    EXPECT_TRUE(registry.keys.empty()) << c.script;
  }
}

TEST(RegistryScript, AFailingRegistryCallStopsThePassAndIsReported) {
  RecordingRegistry registry;
  registry.failingPath = u"B";
  ScriptOutcome outcome = RunRegistryScript("HKCR { A B C }", {}, ScriptPass::kRegister, registry);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.error, "cannot create B");
  EXPECT_TRUE(registry.KeyExists(u"A"));
  EXPECT_FALSE(registry.KeyExists(u"C"));
}

}  // namespace
}  // namespace orn::com
