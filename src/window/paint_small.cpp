#include "window/paint_small.h"

#include <algorithm>

#include "common/text.h"

namespace varimo {
namespace {

constexpr int kLineLeft = 5;
// The line gives way to the ellipsis once it passes this far from the right edge, and the
// blank cells end where the buttons begin.
constexpr int kLineRightMargin = 70;
constexpr int kButtonsWidth = 50;
constexpr int kGlyphTop = 4;
// A font character sits a little higher than a glyph, a double-byte one higher still.
constexpr int kSingleByteTextTop = 3;
constexpr int kDoubleByteTextTop = 2;
constexpr int kDoubleByteWidth = 8;
constexpr int kMaxFontPitch = 9;

TSmallPiece Glyph(TGlyphCell cell, int x, int width = GlyphWidth) {
  TSmallPiece piece;
  piece.Glyph = {cell, {x, kGlyphTop, x + width, kGlyphTop + GlyphHeight}};
  return piece;
}

TSmallPiece Text(int x, int y, std::string_view text) {
  TSmallPiece piece;
  piece.IsGlyph = false;
  piece.X = x;
  piece.Y = y;
  piece.Text = std::string(text);
  return piece;
}

}  // namespace

std::vector<TSmallPiece> PrepareSmallLine(std::string_view line, int width, int fontPitch) {
  // A pitch from a hand-edited settings file must neither move the text backwards nor run x
  // past the int range.
  const int pitch = std::clamp(fontPitch, 0, kMaxFontPitch);
  std::vector<TSmallPiece> pieces;
  int x = kLineLeft;
  for (size_t i = 0; i < line.size();) {
    if (x > width - kLineRightMargin) {
      pieces.push_back(Glyph(GlyphEllipsis, x));
      x += GlyphWidth;
      break;
    }
    const uint8_t b = static_cast<uint8_t>(line[i]);
    if (ShiftJisCharSize(line, i) == 2) {
      // The wide character is drawn on the glyphs' background: the blank cell, stretched.
      pieces.push_back(Glyph(GlyphBlank, x, kDoubleByteWidth));
      pieces.push_back(Text(x, kDoubleByteTextTop, line.substr(i, 2)));
      i += 2;
      x += pitch + kDoubleByteWidth;
    } else if (const auto cell = GlyphOf(b)) {
      pieces.push_back(Glyph(*cell, x));
      i += 1;
      x += GlyphWidth;
    } else {
      pieces.push_back(Text(x, kSingleByteTextTop, line.substr(i, 1)));
      i += 1;
      x += pitch + GlyphWidth;
    }
  }
  for (; x < width - kButtonsWidth; x += GlyphWidth) pieces.push_back(Glyph(GlyphBlank, x));
  return pieces;
}

std::string SmallLinePrefix(int currentIndex) {
  return std::to_string(static_cast<long long>(currentIndex) + 1) + ". ";
}

}  // namespace varimo
