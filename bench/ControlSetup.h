#pragma once
// What every window of the bench gets: one of its two fonts (the system's message font, or a
// fixed-pitch one for the header and trailer boxes) and its name.

#include <windows.h>

namespace orn::bench {

void SetBenchFont(HWND window, bool fixedPitch);
// Tags a window with its name in the code, so that the user-interface harness finds it as a
// person finds a control by its label.
void TagWithName(HWND window, const wchar_t* name);

}  // namespace orn::bench
