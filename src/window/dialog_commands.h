#pragma once
// The commands of the popup menu and the keys that open a dialog or start a program: the
// options, a track's file information, extracting a track to a file and unpacking a Pack
// file with the external program.

#include "engine/varimo_context.h"

namespace varimo {

// Opens the options dialog, modal; the host's configure call runs it too.
void PopupOptionsClick(TVarimo& varimo, TPorts& ports);
// Shows the file information of the selected track.
void PopupFileInfoClick(TVarimo& varimo, TPorts& ports);
// Saves the selected track as a file of its own in a folder the user picks.
void PopupFileExtractClick(TVarimo& varimo, TPorts& ports);
// Hands the album file to the external unpack program.
void PopupAlbumInfoUnPackClick(TVarimo& varimo, TPorts& ports);

}  // namespace varimo
