#pragma once
// The main window's lifecycle: the settings read at creation, the host attached, and the
// state saved at destruction.

#include <cstdint>

#include "engine/varimo_context.h"

namespace varimo {

// Reads every setting, places and sizes the window, takes over the saved play state and
// makes the window translucent as set.
void FormCreate(TVarimo& varimo, TPorts& ports);

// Keeps the host's windows: its main window and the four the host names on request.
void AttachHostWindows(TVarimo& varimo, IHost& host, const TWindowBounds& hostMainBounds);

// Attaches the created window to the host: the host's windows and corner, an empty snap
// memory, the skin, painting and the first layout, the hot keys when enabled, and the item
// in the host's menu that the hidden window puts there.
void AttachHost(TVarimo& varimo, TPorts& ports);

// The whole start-up once the window exists, in its order: settings, attaching, holding
// back until an album plays when so set, one snap that only settles Docked, the hooks and
// the timer. The window stays hidden; the monitor's first tick shows it.
void StartUp(TVarimo& varimo, TPorts& ports);

// A request to close the window: it hides as by its close button and lives on, hot keys
// and all, until the library is unloaded.
void FormClose(TVarimo& varimo, TPorts& ports);

// With the window set to hide while no album file plays, it starts hidden until one does
// (unless the host's main window was minimised).
void HoldBackUntilAlbum(TVarimo& varimo);

// Unregisters the hot keys and saves the window, the exclusion marks and the play state;
// empties the track and hot-key lists.
// False when the settings file could not be written.
bool FormDestroy(TVarimo& varimo, TPorts& ports);

// Applies the Transparence setting once per value; switches it off when the system has no
// translucent windows.
void ApplyTransparency(TVarimo& varimo, ITransparency& transparency);

}  // namespace varimo
