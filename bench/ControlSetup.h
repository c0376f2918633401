#pragma once
// What every window of the bench gets: one of its fonts (the system's message font, or a
// fixed-pitch one for the header, trailer and property texts) and its name; and the width
// a text takes in a window's font, from which the layouts are measured.

#include <windows.h>

namespace orn::bench {

enum class BenchFont {
  Message,          // the system's message font, for everything else
  FixedPitch,       // the header and trailer texts, in their columns as the register prints them
  SmallFixedPitch,  // the property list, whose long lines need the room
};
void SetBenchFont(HWND window, BenchFont font = BenchFont::Message);
// Gives a window a font of its own (the about box's title) and tags it like the others.
void SetOwnFont(HWND window, HFONT font);
// Tags a window with its name in the code, so that the user-interface harness finds it as a
// person finds a control by its label.
void TagWithName(HWND window, const wchar_t* name);
// The width in pixels of a single-line text drawn in the window's font.
int TextWidth(HWND window, const wchar_t* text);
// The height of a line of text in the window's font.
int LineHeight(HWND window);

}  // namespace orn::bench
