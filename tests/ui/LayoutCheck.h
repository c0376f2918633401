#pragma once
// What a person sees of a window's controls, checked from outside the bench: every visible
// control lies inside its parent, no two visible controls of one parent overlap, and each
// control's text fits it, measured with the control's own font.

#include <windows.h>

#include <string>
#include <vector>

namespace orn::ui {

// One finding: the control's name (or class and text) and what is wrong with it.
using Findings = std::vector<std::wstring>;

// The visible children of `parent` (not their children): inside it, not overlapping.
void CheckChildrenPlaced(HWND parent, Findings& findings);
// The text of every visible child of `parent` fits its control.
void CheckChildrenTexts(HWND parent, Findings& findings);
// Both of the above.
void CheckControls(HWND parent, Findings& findings);
// One control's text.
void CheckText(HWND control, Findings& findings);

}  // namespace orn::ui
