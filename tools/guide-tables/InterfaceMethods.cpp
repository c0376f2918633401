#include "InterfaceMethods.h"

#include <regex>

namespace orn::guide {

std::vector<InterfaceMethod> ReadInterfaceMethods(std::string_view idl) {
  // Declarations end at ");", so a declaration that wraps is read whole.
  static const std::regex declaration(
      R"(\[(propget, )?id\((\d+)\)\]\s*HRESULT\s+(\w+)\(([^;]*)\);)");
  static const std::regex argument(R"(\[([^\]]*)\]\s*(\w+\*?)\s+(\w+))");
  std::vector<InterfaceMethod> methods;
  const std::string text(idl);
  for (std::sregex_iterator it(text.begin(), text.end(), declaration), end; it != end; ++it) {
    InterfaceMethod method;
    method.propertyGet = (*it)[1].matched;
    method.dispid = std::stoi((*it)[2].str());
    method.name = (*it)[3].str();
    const std::string list = (*it)[4].str();
    for (std::sregex_iterator arg(list.begin(), list.end(), argument); arg != end; ++arg)
      method.arguments.push_back({(*arg)[1].str(), (*arg)[2].str(), (*arg)[3].str()});
    methods.push_back(std::move(method));
  }
  return methods;
}

}  // namespace orn::guide
