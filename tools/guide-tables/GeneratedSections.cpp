#include "GeneratedSections.h"

namespace orn::guide {

namespace {

constexpr std::string_view kBegin = "<!-- generated: ";
constexpr std::string_view kBeginEnd = " -->";
constexpr std::string_view kEnd = "<!-- end generated -->";

}  // namespace

RegeneratedPage RegenerateSections(std::string_view page, const SectionWriter& write) {
  RegeneratedPage result;
  std::string open;  // the section being skipped
  size_t lineNumber = 0;
  for (size_t at = 0; at < page.size();) {
    size_t next = page.find('\n', at);
    next = next == std::string_view::npos ? page.size() : next + 1;
    const std::string_view line = page.substr(at, next - at);
    const std::string_view bare = line.substr(0, line.find_last_not_of("\r\n") + 1);
    at = next;
    ++lineNumber;
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    if (bare.substr(0, kBegin.size()) == kBegin && bare.size() > kBegin.size() + kBeginEnd.size() &&
        bare.substr(bare.size() - kBeginEnd.size()) == kBeginEnd) {
      if (!open.empty()) {
        result.error = where + "section " + open + " is not ended";
        return result;
      }
      open = bare.substr(kBegin.size(), bare.size() - kBegin.size() - kBeginEnd.size());
      const std::optional<std::string> text = write(open);
      if (!text) {
        result.error = where + "no table is called " + open;
        return result;
      }
      result.text += line;
      result.text += "\n" + *text + "\n";
    } else if (bare == kEnd) {
      if (open.empty()) {
        result.error = where + "an end without a section";
        return result;
      }
      open.clear();
      result.text += line;
    } else if (open.empty()) {
      result.text += line;
    }
  }
  if (!open.empty()) result.error = "section " + open + " is not ended";
  return result;
}

}  // namespace orn::guide
