#include "window/paint.h"

#include "common/vocabulary.h"
#include "window/geometry.h"
#include "window/paint_rows.h"
#include "window/paint_small.h"
#include "window/paint_time.h"

namespace varimo {
namespace {

constexpr int kPressedThumbOffset = 9;

void Copy(ICanvas& canvas, TSkinPiece piece, bool alternate, const TSkinRect& to) {
  canvas.CopyRect(TCanvasBitmap::kSkin, SkinPieceRect(piece, alternate), to);
}

void CopyGlyph(ICanvas& canvas, const TGlyphPiece& glyph) {
  canvas.CopyRect(TCanvasBitmap::kGlyphs, GlyphCellRect(glyph.Cell), glyph.To);
}

// A piece at its fixed place, anchored to the window's edges.
void Place(ICanvas& canvas, TSkinPiece piece, bool alternate, int width, int height) {
  Copy(canvas, piece, alternate, PiecePlacement(piece, width, height));
}

void PaintTitleBar(ICanvas& canvas, int width, int height, bool active) {
  const bool inactive = !active;
  const int tile = geometry::kTileWidth;
  const int bottom = EdgeAt(geometry::kTitleBottom, height);
  const int end = PiecePlacement(TSkinPiece::kTopRightCorner, width, height).Left;
  Place(canvas, TSkinPiece::kTopLeftCorner, inactive, width, height);
  for (int x = PiecePlacement(TSkinPiece::kTopLeftCorner, width, height).Right; x < end; x += tile) {
    Copy(canvas, TSkinPiece::kTopFiller, inactive, {x, 0, x + tile, bottom});
  }
  const int titleHalf = SkinPieceRect(TSkinPiece::kTitle).Width() / 2;
  Copy(canvas, TSkinPiece::kTitle, inactive,
       {width / 2 - titleHalf, 0, width / 2 + titleHalf, bottom});
  Place(canvas, TSkinPiece::kTopRightCorner, inactive, width, height);
}

void PaintSides(ICanvas& canvas, int width, int height) {
  const int tile = geometry::kSideTileHeight;
  const int right = EdgeAt(geometry::kRightTilesLeft, width);
  for (int y = EdgeAt(geometry::kTitleBottom, height); y < height - tile; y += tile) {
    Copy(canvas, TSkinPiece::kLeftSide, false, {0, y, geometry::kTileWidth, y + tile});
    Copy(canvas, TSkinPiece::kRightSide, false, {right, y, width, y + tile});
  }
}

TSkinRect ListFillRect(int width, int height) {
  return ResolveRect(geometry::kListArea, width, height);
}

void PaintRows(ICanvas& canvas, const TPaintSkin& skin, const TPaintWindow& window,
               const TAlbumState& album, const TOptionSettings& options, const TListForm& form) {
  canvas.SetFont(ListFont(options.FontName, options.FontSize));
  const TTextMeasure measure = [&canvas](std::string_view text) { return canvas.TextWidth(text); };
  const std::vector<TRowPaint> rows = PrepareRows(
      window, skin.Colors, album.Tracks, album.CurrentIndex, form, options.FontSize, measure);
  // A font whose characters stand taller than the row pitch stays inside the list.
  canvas.SetClip(ListFillRect(window.Width, window.Height));
  for (const TRowPaint& row : rows) {
    if (row.SelectionBar) canvas.FillRect(*row.SelectionBar, skin.Colors.ColorSelectedBG);
    canvas.SetTextColor(row.TextColor);
    for (const TRowText& text : row.Texts) canvas.DrawString(text.X, row.Top, text.Text);
  }
  canvas.ClearClip();
}

void PaintBottom(ICanvas& canvas, int width, int height) {
  const int top = EdgeAt(geometry::kPanelTop, height);
  const int end = PiecePlacement(TSkinPiece::kBottomRight, width, height).Left;
  Place(canvas, TSkinPiece::kBottomLeft, false, width, height);
  for (int x = PiecePlacement(TSkinPiece::kBottomLeft, width, height).Right; x < end;
       x += geometry::kTileWidth) {
    Copy(canvas, TSkinPiece::kBottomFiller, false, {x, top, x + geometry::kTileWidth, height});
  }
  Place(canvas, TSkinPiece::kBottomRight, false, width, height);
}

bool ShowsPlayback(const TAlbumState& album, const TPaintPlay& play) {
  return play.HostState != 0 && album.AlbumKind != kAlbumNone;
}

TScrollThumb PaintNormalWindow(ICanvas& canvas, const TPaintSkin& skin, const TPaintWindow& window,
                               const TAlbumState& album, const TOptionSettings& options,
                               const TListForm& form, const TPaintPlay& play) {
  const int width = window.Width;
  const int height = window.Height;
  PaintTitleBar(canvas, width, height, window.Active);
  PaintSides(canvas, width, height);
  canvas.FillRect(ListFillRect(width, height), skin.Colors.ColorNormalBG);
  PaintRows(canvas, skin, window, album, options, form);
  PaintBottom(canvas, width, height);
  const TScrollThumb thumb =
      ScrollThumb(height, album.Tracks.size(), window.VisibleRows, window.TopIndex);
  Copy(canvas, TSkinPiece::kScrollThumb, window.ScrollThumbPressed,
       ScrollThumbRect(width, thumb.ThumbY));
  if (ShowsPlayback(album, play)) {
    DrawTimeDisplay(canvas, width, height, play.TimeDigits, play.Remain);
    DrawPositionThumb(canvas, width, height, skin.OwnLayout,
                      window.PositionBarPressed ? kPressedThumbOffset : 0, play.PositionFraction);
  }
  return thumb;
}

void PaintSmallWindow(ICanvas& canvas, const TPaintSkin& skin, const TPaintWindow& window,
                      const TAlbumState& album, const TOptionSettings& options,
                      const TListForm& form, const TPaintPlay& play) {
  const int width = window.Width;
  const int height = kSmallWindowHeight;
  const int end = PiecePlacement(TSkinPiece::kSmallRight, width, height).Left;
  Place(canvas, TSkinPiece::kSmallLeft, false, width, height);
  for (int x = PiecePlacement(TSkinPiece::kSmallLeft, width, height).Right; x < end;
       x += geometry::kTileWidth) {
    Copy(canvas, TSkinPiece::kSmallFiller, false, {x, 0, x + geometry::kTileWidth, height});
  }
  Place(canvas, TSkinPiece::kSmallRight, !window.Active, width, height);
  // A current index the list does not hold (a list shorter than the one it was set for) has
  // no line to show.
  const int current = album.CurrentIndex;
  if (current < 0 || static_cast<size_t>(current) >= album.Tracks.size()) return;
  const TTrackItem& track = album.Tracks[static_cast<size_t>(current)];

  canvas.SetFont(SmallWindowFont(options.FontName));
  canvas.SetTextColor(skin.Colors.ColorMbFG);
  const std::string line = FormatTrackLine(form, SmallLinePrefix(current), track);
  for (const TSmallPiece& piece : PrepareSmallLine(line, width, options.FontPitch)) {
    if (piece.IsGlyph) {
      CopyGlyph(canvas, piece.Glyph);
    } else {
      canvas.DrawString(piece.X, piece.Y, piece.Text);
    }
  }
  if (options.PlayTime && ShowsPlayback(album, play)) {
    DrawSmallTime(canvas, width, play.TimeDigits, play.Remain);
  } else {
    for (const TGlyphPiece& glyph : SmallTrackTimeGlyphs(track.Time, width)) {
      CopyGlyph(canvas, glyph);
    }
  }
}

}  // namespace

std::optional<TScrollThumb> PaintWindow(ICanvas& canvas, const TPaintSkin& skin,
                                        const TPaintWindow& window, const TAlbumState& album,
                                        const TOptionSettings& options, const TListForm& form,
                                        const TPaintPlay& play) {
  if (window.State == kStateNormal) {
    return PaintNormalWindow(canvas, skin, window, album, options, form, play);
  }
  if (window.State == kStateSmall)
    PaintSmallWindow(canvas, skin, window, album, options, form, play);
  return std::nullopt;
}

void DrawTimeDisplay(ICanvas& canvas, int width, int height, const TTimeDigits& digits,
                     bool remain) {
  for (const TGlyphPiece& glyph : TimeDisplayGlyphs(digits, remain, width, height)) {
    CopyGlyph(canvas, glyph);
  }
}

void BlankTimeDisplay(ICanvas& canvas, int width, int height) {
  Copy(canvas, TSkinPiece::kTimeBackground, false, TimeDisplayRect(width, height));
}

void DrawSmallTime(ICanvas& canvas, int width, const TTimeDigits& digits, bool remain) {
  for (const TGlyphPiece& glyph : SmallTimeGlyphs(digits, remain, width)) {
    CopyGlyph(canvas, glyph);
  }
}

void DrawPositionThumb(ICanvas& canvas, int width, int height, bool ownLayout, int offset,
                       double fraction) {
  const TSkinRect to = PositionThumbRect(width, height, fraction);
  if (offset < 0) {
    canvas.CopyRect(TCanvasBitmap::kSkin, PositionBarBackground(PositionThumbOffset(fraction)), to);
    return;
  }
  const bool pressed = offset > 0;
  if (ownLayout) {
    Copy(canvas, TSkinPiece::kPositionThumb, pressed, to);
    return;
  }
  // Other skins have no position thumb; the scroll thumb's ends make one.
  const TPositionThumbSource source = PositionThumbSource(false, pressed);
  const int middle = to.Top + source.Upper.Height();
  canvas.CopyRect(TCanvasBitmap::kSkin, source.Upper, {to.Left, to.Top, to.Right, middle});
  canvas.CopyRect(TCanvasBitmap::kSkin, source.Lower, {to.Left, middle, to.Right, to.Bottom});
}

}  // namespace varimo
