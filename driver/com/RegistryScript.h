#pragma once
// The registration script of the COM server (resource REGISTRY 101): a tree of registry keys
// in the usual .rgs syntax, run forwards by DllRegisterServer and backwards by
// DllUnregisterServer. Portable: the registry it writes to is an interface, so the parser
// and both passes are tested natively against a recording.
//
//   HKCR
//   {
//     Name = s 'default value'        key with its default value (s text, d number)
//     {
//       val Named = s 'text'          named value of the enclosing key
//       NoRemove Kept { ... }         never deleted by the unregistration
//       ForceRemove Fresh             deleted with all it holds before it is created
//     }
//   }
//
// Words are separated by blanks; '...' quotes a name or value ('' is one quote). %NAME% is
// replaced by a variable after unquoting, so a replaced text may hold any character;
// %% is one percent sign.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace orn::com {

// The root the script names (only HKCR). Key paths are relative to it, parts joined by '\'.
// A default value has the empty name. Every call returns false on failure.
class ScriptRegistry {
 public:
  virtual ~ScriptRegistry() = default;
  virtual bool CreateKey(std::u16string_view path) = 0;
  virtual bool KeyExists(std::u16string_view path) = 0;
  virtual bool SetString(std::u16string_view path, std::u16string_view name,
                         std::u16string_view value) = 0;
  virtual bool SetNumber(std::u16string_view path, std::u16string_view name, uint32_t value) = 0;
  // Deleting a key or value that is not there succeeds.
  virtual bool DeleteTree(std::u16string_view path) = 0;
  virtual bool DeleteValue(std::u16string_view path, std::u16string_view name) = 0;
};

enum class ScriptPass { kRegister, kUnregister };

struct ScriptOutcome {
  bool ok = false;
  // On failure: "line N: what went wrong", or the registry operation that failed.
  std::string error;
};

using ScriptVariables = std::map<std::u16string, std::u16string>;

// The whole script is parsed before the registry is touched: a script with a syntax error
// or an unknown variable changes nothing. A failing registry call stops the pass.
ScriptOutcome RunRegistryScript(std::string_view script, const ScriptVariables& variables,
                                ScriptPass pass, ScriptRegistry& registry);

}  // namespace orn::com
