#pragma once
// What two pages of the options dialog do on the system beyond their bound controls: the
// unpack page's open-file dialog for the unpack program, and the version page's painted
// lines.

#include <optional>
#include <string>

#include "dialogs/win32_dialog_window.h"

namespace varimo {

// The program the user picks in the open-file dialog owned by owner, which starts at the
// folder and file name of the current path (ANSI); an ANSI path the program can be started
// by, or nothing when the user cancelled or picked no file.
std::optional<std::string> BrowseProgram(TWindowHandle owner, const std::string& current);

// The version page's title, plug-in line and version line, centred, each over its shadow.
void PaintVersionPage(TWindowHandle page, TDialogFonts& fonts);

}  // namespace varimo
