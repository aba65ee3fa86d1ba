#pragma once
// The global hot keys: the list built from the settings, registered with the system under
// global atoms, and the commands they run when pressed.

#include <cstddef>
#include <string>

#include "engine/varimo_context.h"
#include "settings/settings.h"

namespace varimo {

// "Varimo Plugin for Winamp 2.x " and the entry's position.
std::string HotKeyAtomName(size_t position);

// The list as the settings hold it, none of it registered yet.
THotKeyState LoadHotKeys(const THotKeySettings& stored);
// The list as the settings file keeps it.
THotKeySettings StoredHotKeys(const THotKeyState& state);

// Registers every entry under an atom of its own. An entry whose combination cannot be had
// switches hot keys off and tells the user, once per such entry; the others keep working.
void RegisterHotKeys(THotKeyState& state, IHotKeySystem& system, IDialogs& dialogs);
// Unregisters every entry tried so far, deletes its atom and empties the list.
void UnregisterHotKeys(THotKeyState& state, IHotKeySystem& system);

// A hot key was pressed: id is its atom. The first entry of that atom runs its command;
// repeating commands are held to one per 91 ms, the others first release the keys of the
// combination so that the command's own keys and windows see none held.
void OnHotKey(TVarimo& varimo, TPorts& ports, int32_t id);

// Brings a window to the front, restoring the host's main window first when it is minimised.
void ActivateWindow(TVarimo& varimo, TPorts& ports, THostHandle window);

}  // namespace varimo
