#pragma once
// The controls of a dialog as a scenario names them and reads them: by caption, class,
// control id or order; their text, check, enabled and selection states; list-view cells,
// combo-box entries, tab items and up-down positions, with the screen rectangles that
// real input aims at.

#include <windows.h>

#include <string>
#include <vector>

namespace varimo {

// CONTROL in a script: "focus" (the control with the keyboard focus), "id=N",
// "class=NAME" or "class=NAME:N" (the N-th visible one of that class, from 1),
// "nth=N" (the N-th visible control), "text=CAPTION" or a bare CAPTION. Controls are all
// descendants of the dialog in creation order; for an id or a caption a visible one is
// preferred. Null, with the reason in error, when none matches.
HWND FindControl(HWND dialog, const std::string& spec, std::string& error);

// A line for the log: order, class, id, text, states, rectangle, and a list's contents.
std::vector<std::string> DescribeControls(HWND dialog);

// Compares one property of a control with a script's word. PROPERTY is text, checked
// (yes/no/mixed), enabled, visible, focused (yes/no), selected (an entry's text or #N for
// combo boxes, list boxes and tabs; a row number or "none" for list views), pos (up-down
// or track bar) or count (entries, rows or tabs). have is what the control shows.
bool ControlPropertyMatches(HWND control, const std::string& property, const std::string& want,
                            std::string& have, std::string& error);

bool IsClass(HWND window, const char* name);
RECT ScreenRect(HWND window);
POINT Center(const RECT& rect);

// Report list views.
int ListRowCount(HWND list);
std::wstring ListCellText(HWND list, int row, int column);
// The cell's rectangle on the screen (column 0: the item's label); false outside the list.
bool ListCellRect(HWND list, int row, int column, RECT& screen);

// Combo boxes, list boxes and tab controls: the entries' texts.
std::vector<std::wstring> ComboEntries(HWND combo);
std::vector<std::wstring> TabCaptions(HWND tab);
// An entry named by its text or "#N" (from 0), or -1.
int FindEntry(const std::vector<std::wstring>& entries, const std::string& word);

// The up-down control a spec names: the control itself, or the up-down whose buddy it is.
HWND UpDownOf(HWND control);
int UpDownPosition(HWND updown);

}  // namespace varimo
