#pragma once
// The small window's line: the current track in skin glyphs, with the font standing in for
// characters the glyphs lack, cut with an ellipsis where the buttons begin.

#include <string>
#include <string_view>
#include <vector>

#include "window/paint_time.h"

namespace varimo {

// A glyph copied to a window rectangle, or a text drawn with the font at (X, Y).
struct TSmallPiece {
  bool IsGlyph = true;
  TGlyphPiece Glyph;
  int X = 0;
  int Y = 0;
  std::string Text;
};

// The line's pieces from x = 5 on, then blank cells up to the buttons. fontPitch is the extra
// room after each font character (the options dialog offers 0 to 9).
std::vector<TSmallPiece> PrepareSmallLine(std::string_view line, int width, int fontPitch);

// "%d. " of the one-based track number, in front of the small window's line.
std::string SmallLinePrefix(int currentIndex);

}  // namespace varimo
