#pragma once
// Where the glyphs of the time displays go: the normal window's bottom panel, the small
// window's running time and the small window's track length.

#include <string_view>
#include <vector>

#include "platform/ports.h"
#include "window/skin_tables.h"

namespace varimo {

// A glyph cell of the glyph bitmap and the window rectangle it is copied to.
struct TGlyphPiece {
  TGlyphCell Cell;
  TSkinRect To;
};

// The glyph cell of a single digit; the blank cell for a value no single digit shows (the
// tens of minutes of a track of 100 minutes or more).
TGlyphCell DigitGlyph(int digit);

// The bottom panel's time: a minus sign when the time counts down, then the four digits around
// the colon printed in the skin. Nothing while no time is shown.
std::vector<TGlyphPiece> TimeDisplayGlyphs(const TTimeDigits& digits, bool remain, int width,
                                           int height);
// Where the bottom panel's time lies, to blank it from the skin's empty display.
TSkinRect TimeDisplayRect(int width, int height);

// The small window's running time; a zero tens-of-minutes digit gives its place to the minus
// sign or stays blank. Nothing while no time is shown.
std::vector<TGlyphPiece> SmallTimeGlyphs(const TTimeDigits& digits, bool remain, int width);
// The small window's track length from the track's time text, a leading "0" blank. Nothing
// for an empty text.
std::vector<TGlyphPiece> SmallTrackTimeGlyphs(std::string_view time, int width);

}  // namespace varimo
