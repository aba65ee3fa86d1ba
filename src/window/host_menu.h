#pragma once
// The item "Varimo" that the hidden window puts into the host's main popup menu, so the user
// can bring the window back from there.

#include "engine/varimo_context.h"

namespace varimo {

// The host's command for showing its main window; the item goes into the run of items that
// starts there.
constexpr int32_t kHostMainWindowCommand = 40258;
// The first command id the item tries; the next free one is taken when it is in use.
constexpr int32_t kHostMenuFirstId = 9001;

// The window has just been hidden: the item goes in, unless it is there already or the
// host's menu has no place for it.
void FormHide(TVarimo& varimo, TPorts& ports);
// The window has just been shown: the item comes out again.
void FormShow(TVarimo& varimo, TPorts& ports);
// Takes the item out of the host's menu, if it is there.
void RemoveHostMenuItem(TVarimo& varimo, TPorts& ports);
// The caption language has changed: the item, if it is there, goes in again with its caption
// in the new language (a menu item's text is copied when it is inserted).
void RenewHostMenuItem(TVarimo& varimo, TPorts& ports);

}  // namespace varimo
