#pragma once
// The file information dialog on the system.

#include "dialogs/win32_dialog_window.h"
#include "sources/file_info.h"

namespace varimo {

// Shows what was read of a track, modal, centred on the main window; returns when the user
// has closed it.
void ShowFileInfoDialog(TWindowHandle owner, const TFileInfoData& info, const TWindowBounds& main,
                        const TScreenSize& screen);

}  // namespace varimo
