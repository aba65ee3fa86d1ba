#pragma once
// Apply in the options dialog: the working copy becomes the settings in force, in the
// main window and in the settings file.

#include "dialogs/options_model.h"
#include "engine/varimo_context.h"

namespace varimo {

// In this order: the language switched, the options, the hot keys rebuilt and registered, the
// font, translucency and format taken over; the Option, ListForm and HotKey sections written
// in one replace of the file; the window translucent as set, the host-menu item renewed in a
// new language, the window laid out and repainted; the track list rebuilt at the monitor's
// next tick. Apply is unavailable again afterwards.
void ButtonUpdateClick(TVarimo& varimo, TPorts& ports, TOptionsModel& model);

}  // namespace varimo
