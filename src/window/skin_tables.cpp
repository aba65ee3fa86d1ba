#include "window/skin_tables.h"

#include <algorithm>

#include "window/geometry.h"

namespace varimo {

TPositionThumbSource PositionThumbSource(bool ownLayout, bool pressed) {
  if (ownLayout) {
    const TSkinRect thumb = SkinPieceRect(TSkinPiece::kPositionThumb, pressed);
    const int middle = thumb.Top + thumb.Height() / 2;
    return {{thumb.Left, thumb.Top, thumb.Right, middle},
            {thumb.Left, middle, thumb.Right, thumb.Bottom}};
  }
  const TSkinRect scroll = SkinPieceRect(TSkinPiece::kScrollThumb, pressed);
  return {{scroll.Left, scroll.Top, scroll.Right, scroll.Top + 7},
          {scroll.Left, scroll.Bottom - 7, scroll.Right, scroll.Bottom}};
}

TSkinRect PositionBarBackground(int d) {
  const int offset = std::clamp(d, 0, geometry::kPositionThumbTravel);
  // The thumb's place in the window, moved from where the window shows the bottom-right piece
  // to where the skin holds it; both are anchored to the same corner, so any size will do.
  const TSkinRect thumb = PositionThumbAt(kDesignWidth, kNormalMinHeight, offset);
  const TSkinRect shown = PiecePlacement(TSkinPiece::kBottomRight, kDesignWidth, kNormalMinHeight);
  const TSkinRect held = SkinPieceRect(TSkinPiece::kBottomRight);
  const int dx = held.Left - shown.Left;
  const int dy = held.Top - shown.Top;
  return {thumb.Left + dx, thumb.Top + dy, thumb.Right + dx, thumb.Bottom + dy};
}

std::optional<TGlyphCell> GlyphOf(uint8_t ch) {
  if (ch >= 'A' && ch <= 'Z') return GlyphLetter(ch - 'A');
  if (ch >= 'a' && ch <= 'z') return GlyphLetter(ch - 'a');
  if (ch >= '0' && ch <= '9') return GlyphDigit(ch - '0');
  if (ch >= ' ' && ch <= ')') return kGlyphsSpaceToParen[ch - ' '];
  if (ch >= '+' && ch <= '/') return kGlyphsPlusToSlash[ch - '+'];
  if (ch >= '[' && ch <= '_') return kGlyphsBracketToUnderscore[ch - '['];
  if (ch == ':') return kGlyphColon;
  if (ch == '?') return kGlyphQuestion;
  return std::nullopt;
}

}  // namespace varimo
