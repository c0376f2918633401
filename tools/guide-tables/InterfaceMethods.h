#pragma once
// The IFptr methods as the type library's source declares them: dispatch id, name and
// arguments, read from FPTRLib.idl.in, the one place that names them for the build.

#include <string>
#include <string_view>
#include <vector>

namespace orn::guide {

struct MethodArgument {
  std::string direction;  // "in", "out", "in, out" or "out, retval"
  std::string type;       // "long", "BSTR*", ...
  std::string name;
};

struct InterfaceMethod {
  int dispid = 0;
  std::string name;
  bool propertyGet = false;
  std::vector<MethodArgument> arguments;
};

// Every "[id(N)] HRESULT Name(...);" declaration of the text, in its order. A declaration
// may run over several lines.
std::vector<InterfaceMethod> ReadInterfaceMethods(std::string_view idl);

}  // namespace orn::guide
