#pragma once
// The registration script's registry: HKEY_CLASSES_ROOT of the registering process (its own
// view of the registry, so a 32-bit and a 64-bit server each register where applications of
// their kind look).

#include "RegistryScript.h"

namespace orn::com {

class ClassesRootRegistry final : public ScriptRegistry {
 public:
  bool CreateKey(std::u16string_view path) override;
  bool KeyExists(std::u16string_view path) override;
  bool SetString(std::u16string_view path, std::u16string_view name,
                 std::u16string_view value) override;
  bool SetNumber(std::u16string_view path, std::u16string_view name, uint32_t value) override;
  bool DeleteTree(std::u16string_view path) override;
  bool DeleteValue(std::u16string_view path, std::u16string_view name) override;
};

}  // namespace orn::com
