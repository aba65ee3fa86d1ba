#include "window/paint_small.h"

#include <algorithm>

#include "common/text.h"
#include "settings/settings.h"
#include "window/geometry.h"

namespace varimo {
namespace {

// A double-byte character's cell, drawn with the font.
constexpr int kDoubleByteWidth = 8;

TSmallPiece Glyph(TGlyphCell cell, int x, int width = kGlyphWidth) {
  const int top = EdgeAt(geometry::kSmallGlyphTop, kSmallHeight);
  TSmallPiece piece;
  piece.Glyph = {cell, {x, top, x + width, top + kGlyphHeight}};
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
  static const int32_t maxPitch = SettingRowOf(&TOptionSettings::FontPitch).Max;
  const int pitch = std::clamp(fontPitch, 0, static_cast<int>(maxPitch));
  std::vector<TSmallPiece> pieces;
  const int ellipsisFrom = EdgeAt(geometry::kSmallEllipsisFrom, width);
  const int buttons = EdgeAt(geometry::kSmallRight.Left, width);
  int x = EdgeAt(geometry::kSmallLineLeft, width);
  for (size_t i = 0; i < line.size();) {
    if (x > ellipsisFrom) {
      pieces.push_back(Glyph(kGlyphEllipsis, x));
      x += kGlyphWidth;
      break;
    }
    const uint8_t b = static_cast<uint8_t>(line[i]);
    if (ShiftJisCharSize(line, i) == 2) {
      // The wide character is drawn on the glyphs' background: the blank cell, stretched.
      pieces.push_back(Glyph(kGlyphBlank, x, kDoubleByteWidth));
      pieces.push_back(Text(x, geometry::kSmallWideTextTop, line.substr(i, 2)));
      i += 2;
      x += pitch + kDoubleByteWidth;
    } else if (const auto cell = GlyphOf(b)) {
      pieces.push_back(Glyph(*cell, x));
      i += 1;
      x += kGlyphWidth;
    } else {
      pieces.push_back(Text(x, geometry::kSmallTextTop, line.substr(i, 1)));
      i += 1;
      x += pitch + kGlyphWidth;
    }
  }
  for (; x < buttons; x += kGlyphWidth) pieces.push_back(Glyph(kGlyphBlank, x));
  return pieces;
}

std::string SmallLinePrefix(int currentIndex) {
  return std::to_string(static_cast<long long>(currentIndex) + 1) + ". ";
}

}  // namespace varimo
