// guide-tables --idl FPTRLib.idl.in PAGE.md: prints the page with its generated sections
// (the reference tables) written anew from the driver's own tables. The drift check
// compares the page with this output; tools/guide --tables writes it back.

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "GeneratedSections.h"
#include "ReferenceTables.h"

namespace {

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream buffer;
  buffer << file.rdbuf();
  text = buffer.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || std::string(argv[1]) != "--idl") {
    std::cerr << "usage: guide-tables --idl FPTRLib.idl.in PAGE.md\n";
    return 2;
  }
  std::string idl, page;
  if (!ReadFile(argv[2], idl) || !ReadFile(argv[3], page)) {
    std::cerr << "guide-tables: cannot read " << (idl.empty() ? argv[2] : argv[3]) << "\n";
    return 2;
  }
  std::string error;
  const orn::guide::RegeneratedPage result = orn::guide::RegenerateSections(
      page, [&](std::string_view name) { return orn::guide::ReferenceTable(name, idl, error); });
  if (!result.error.empty() || !error.empty()) {
    std::cerr << "guide-tables: " << argv[3] << ": " << (error.empty() ? result.error : error)
              << "\n";
    return 1;
  }
  std::cout << result.text;
  return 0;
}
