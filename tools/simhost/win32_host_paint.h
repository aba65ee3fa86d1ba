#pragma once
// How the simulated host's windows look: plain drawings in the classic player's layout,
// enough to tell the windows apart and read the play state in a screenshot.

#include <windows.h>

#include <string>

#include "player.h"

namespace varimo {

void PaintMainWindow(HDC dc, const RECT& client, const SimPlayer& player,
                     const std::string& skinName);
void PaintEqualizer(HDC dc, const RECT& client);
void PaintPlaylistEditor(HDC dc, const RECT& client, const SimPlayer& player);
void PaintBrowser(HDC dc, const RECT& client, const std::string& page);

}  // namespace varimo
