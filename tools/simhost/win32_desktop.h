#pragma once
// The desktop as a scenario sees it: finding this process's windows, capturing pixels
// from the screen, and real mouse and keyboard input.

#include <windows.h>

#include <optional>
#include <string>

#include "image_file.h"

namespace varimo {

class Win32SimHost;

// The top-level window of this process, not one of the host's, whose class name or
// caption equals name (caption as ANSI bytes or as UTF-8); a visible one is preferred.
// Null when there is none.
HWND FindProcessWindow(const std::string& name, const Win32SimHost& host);

// The smallest rectangle holding every visible top-level window of this process.
RECT VisibleProcessWindowsRect();
RECT VirtualScreenRect();

// Copies a screen rectangle as the user sees it (overlapping windows included).
bool CaptureScreen(const RECT& rect, TImage& image);
bool WriteImageFile(const std::string& path, const TImage& image, std::string& error);

// Input as from the devices: the system routes it to whatever window is under the
// cursor or has the focus.
void MoveCursorTo(POINT screen);
void SendMouseButton(bool right, bool down);
// A press and a release (twice: a double click) in one go, so no delay can part them.
void SendClick(bool right, bool twice);
// Each character as a key of its own (a Unicode key event), whatever the keyboard layout.
void SendText(const std::wstring& text);
void SendWheel(int notches);
void SendKey(WORD virtualKey, bool up);

// KEY in a script: a letter or digit, a key name (enter esc space tab backspace left
// right up down pageup pagedown home end insert delete comma period minus slash f1-f12)
// or a decimal virtual-key code.
std::optional<WORD> ParseKey(const std::string& word);
// The words "alt", "ctrl" and "shift" from words[first] on, as the keys to hold; false for any
// other word.
bool ParseModifierKeys(const std::vector<std::string>& words, size_t first,
                       std::vector<WORD>& keys);

}  // namespace varimo
