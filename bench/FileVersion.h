#pragma once
// The program file's version and date, for the caption and the about box.

#include <string>

namespace orn::bench {

// "major.minor.release.build" of the version resource; "0.0.0.0" without one.
std::wstring FileVersionText();
// The file's last-write time in the user's local time and format, or "неизвестна".
std::wstring FileDateText();

}  // namespace orn::bench
