#include "window/skin_tables.h"

#include <algorithm>

namespace varimo {

TPositionThumbSource PositionThumbSource(bool ownLayout, bool pressed) {
  if (ownLayout) {
    const TSkinRect thumb = SkinPieceRect(TSkinPiece::PositionThumb, pressed);
    const int middle = thumb.Top + thumb.Height() / 2;
    return {{thumb.Left, thumb.Top, thumb.Right, middle},
            {thumb.Left, middle, thumb.Right, thumb.Bottom}};
  }
  const TSkinRect scroll = SkinPieceRect(TSkinPiece::ScrollThumb, pressed);
  return {{scroll.Left, scroll.Top, scroll.Right, scroll.Top + 7},
          {scroll.Left, scroll.Bottom - 7, scroll.Right, scroll.Bottom}};
}

TSkinRect PositionBarBackground(int d) {
  const int offset = std::clamp(d, 0, PositionBarTravel);
  return {131 + offset, 78, 139 + offset, 92};
}

std::optional<TGlyphCell> GlyphOf(uint8_t ch) {
  if (ch >= 'A' && ch <= 'Z') return GlyphLetter(ch - 'A');
  if (ch >= 'a' && ch <= 'z') return GlyphLetter(ch - 'a');
  if (ch >= '0' && ch <= '9') return GlyphDigit(ch - '0');
  if (ch >= ' ' && ch <= ')') return GlyphsSpaceToParen[ch - ' '];
  if (ch >= '+' && ch <= '/') return GlyphsPlusToSlash[ch - '+'];
  if (ch >= '[' && ch <= '_') return GlyphsBracketToUnderscore[ch - '['];
  if (ch == ':') return GlyphColon;
  if (ch == '?') return GlyphQuestion;
  return std::nullopt;
}

}  // namespace varimo
