#pragma once
// The application side of the driver's "Codepage866" agreement: with the flag set, texts
// travel to and from the control as OEM (866) bytes widened as if they were ANSI (1251).

#include <string>

namespace orn::bench {

// The program-wide flag, false until ReadCodepageFlag finds the value set.
extern bool Codepage866;

// Reads "Codepage866" of the device's OPOS key. A value that is not a 32-bit integer leaves
// the flag false and shows "Invalid data type for 'Codepage866'".
void ReadCodepageFlag(const std::wstring& deviceName);

std::wstring ToDriverText(const std::wstring& text);

// Texts in the system's ANSI code page, as the driver keeps them (its registry values too).
// With `lost`, it tells whether a character had no place in the code page.
std::string ToAnsi(const std::wstring& text, bool* lost = nullptr);
std::wstring FromAnsi(const std::string& text);
std::wstring FromDriverText(const std::wstring& text);

}  // namespace orn::bench
