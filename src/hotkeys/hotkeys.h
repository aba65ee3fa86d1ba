#pragma once
// The global hot keys: the list built from the settings, registered with the system under
// global atoms, and the commands they run when pressed.

#include <cstddef>
#include <string>

#include "engine/varimo_state.h"
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
// The destruction's share: the atoms go, the registrations go with the window.
void DeleteHotKeyAtoms(THotKeyState& state, IHotKeySystem& system);

}  // namespace varimo
