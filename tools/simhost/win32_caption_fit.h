#pragma once
// Whether the texts of a dialog's controls fit where the controls show them: every caption,
// tab item, list column heading and cell and fixed-list entry measured in the control's own
// font against the room its control leaves for text, and the controls that size themselves
// to their text kept off their neighbours and inside their parent. Controls hidden by their
// own style (closed in-place editors) are left out; those on hidden pages are checked.

#include <windows.h>

#include <string>
#include <vector>

namespace varimo {

// A line per text that does not fit, naming the control, the text, its width and the room.
std::vector<std::string> CaptionsNotFitting(HWND dialog);

}  // namespace varimo
