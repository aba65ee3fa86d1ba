#include "window/paint_small.h"

#include <algorithm>

#include "common/text.h"
#include "window/geometry.h"

namespace varimo {
namespace {

// A double-byte character's cell, drawn with the font.
constexpr int kDoubleByteWidth = 8;
constexpr int kMaxFontPitch = 9;

TSmallPiece Glyph(TGlyphCell cell, int x, int width = GlyphWidth) {
  const int top = EdgeAt(geometry::kSmallGlyphTop, kSmallHeight);
  TSmallPiece piece;
  piece.Glyph = {cell, {x, top, x + width, top + GlyphHeight}};
  return piece;
}

TSmallPiece Text(int x, const TEdgeOffset& top, std::string_view text) {
  TSmallPiece piece;
  piece.IsGlyph = false;
  piece.X = x;
  piece.Y = EdgeAt(top, kSmallHeight);
  piece.Text = std::string(text);
  return piece;
}

}  // namespace

std::vector<TSmallPiece> PrepareSmallLine(std::string_view line, int width, int fontPitch) {
  // A pitch from a hand-edited settings file must neither move the text backwards nor run x
  // past the int range.
  const int pitch = std::clamp(fontPitch, 0, kMaxFontPitch);
  std::vector<TSmallPiece> pieces;
  const int ellipsisFrom = EdgeAt(geometry::kSmallEllipsisFrom, width);
  const int buttons = EdgeAt(geometry::kSmallRight.Left, width);
  int x = EdgeAt(geometry::kSmallLineLeft, width);
  for (size_t i = 0; i < line.size();) {
    if (x > ellipsisFrom) {
      pieces.push_back(Glyph(GlyphEllipsis, x));
      x += GlyphWidth;
      break;
    }
    const uint8_t b = static_cast<uint8_t>(line[i]);
    if (ShiftJisCharSize(line, i) == 2) {
      // The wide character is drawn on the glyphs' background: the blank cell, stretched.
      pieces.push_back(Glyph(GlyphBlank, x, kDoubleByteWidth));
      pieces.push_back(Text(x, geometry::kSmallWideTextTop, line.substr(i, 2)));
      i += 2;
      x += pitch + kDoubleByteWidth;
    } else if (const auto cell = GlyphOf(b)) {
      pieces.push_back(Glyph(*cell, x));
      i += 1;
      x += GlyphWidth;
    } else {
      pieces.push_back(Text(x, geometry::kSmallTextTop, line.substr(i, 1)));
      i += 1;
      x += pitch + GlyphWidth;
    }
  }
  for (; x < buttons; x += GlyphWidth) pieces.push_back(Glyph(GlyphBlank, x));
  return pieces;
}

std::string SmallLinePrefix(int currentIndex) {
  return std::to_string(static_cast<long long>(currentIndex) + 1) + ". ";
}

}  // namespace varimo
