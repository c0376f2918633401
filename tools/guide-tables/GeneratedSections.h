#pragma once
// The parts of a Markdown page that a program writes: each lies between the lines
// "<!-- generated: NAME -->" and "<!-- end generated -->", and is replaced whole.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orn::guide {

// The text of section NAME, or nothing for a name it does not know.
using SectionWriter = std::function<std::optional<std::string>(std::string_view name)>;

struct RegeneratedPage {
  std::string text;
  std::string error;  // empty when every section was written
};

// The page with every generated section written anew (a blank line, the section's text, a
// blank line between the markers); the rest of the page as it was.
RegeneratedPage RegenerateSections(std::string_view page, const SectionWriter& write);

}  // namespace orn::guide
