// The geometry table as a whole: every press region lies in the piece that paints it and the
// hover cursors follow the rules, in the order the table is tested; press regions and the
// frame's fixed pieces never overlap; what is drawn inside a piece stays inside it.

#include "window/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "window/layout.h"
#include "window/paint_time.h"
#include "window/regions.h"

namespace varimo {
namespace {

// The sizes the window is tried at: widths and heights from the smallest on.
std::vector<int32_t> Widths() {
  std::vector<int32_t> widths;
  for (int32_t w = kMinWidth; w <= 475; w += 25) widths.push_back(w);
  return widths;
}
std::vector<int32_t> Heights(int32_t state) {
  return state == kStateNormal ? std::vector<int32_t>{116, 145, 290} : std::vector<int32_t>{14};
}

bool Inside(const TSkinRect& inner, const TSkinRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

bool Overlap(const TSkinRect& a, const TSkinRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// A press region as a rectangle, right and bottom exclusive, held to the window.
TSkinRect PressRect(const THitRegion& press, int32_t w, int32_t h) {
  const auto clampTo = [](int64_t value, int32_t size) {
    return static_cast<int>(std::min<int64_t>(std::max<int64_t>(value, 0), size));
  };
  return {clampTo(ResolveEdge(press.X.Low, w), w), clampTo(ResolveEdge(press.Y.Low, h), h),
          clampTo(ResolveEdge(press.X.High, w) + 1, w),
          clampTo(ResolveEdge(press.Y.High, h) + 1, h)};
}

std::vector<TRegionRow> Rows(int32_t state) {
  if (state == kStateNormal) {
    return {geometry::kNormalRegions.begin(), geometry::kNormalRegions.end()};
  }
  return {geometry::kSmallRegions.begin(), geometry::kSmallRegions.end()};
}

const TRegionRow& Row(TRegion region) {
  for (const TRegionRow& row : geometry::kNormalRegions) {
    if (row.Region == region) return row;
  }
  return geometry::kNormalRegions[0];
}

std::string Size(int32_t w, int32_t h) {
  return std::to_string(w) + "x" + std::to_string(h);
}

// The cursor order of the hover rules, literally: the region table's press order must give
// the same cursor everywhere.
CursorNumber HoverByRules(int32_t state, int32_t w, int32_t h, int32_t x, int32_t y) {
  if (state == kStateNormal) {
    if (x < w - 25 && y < 20) return kCursorTitle;
    if (x > w - 20 && y > h - 20) return kCursorResize;
    if (w - 15 <= x && x <= w - 7 && 22 <= y && y <= h - 39) return kCursorVScroll;
    if (w - 10 <= x && x <= w - 2 && 3 <= y && y <= 11) return kCursorClose;
    if (w - 144 <= x && x <= w - 53 && h - 30 <= y && y <= h - 20) return kCursorPosBar;
  } else if (state == kStateSmall) {
    if (w - 30 <= x && x <= w - 22 && 3 <= y && y <= 11) return kCursorPosBar;
    if (w - 10 <= x && x <= w - 2 && 3 <= y && y <= 11) return kCursorClose;
  }
  return kCursorNormal;
}

TEST(RegionTable, EveryPressRegionLiesInThePieceThatPaintsItAndHoverFollowsTheRules) {
  for (const int32_t state : {kStateNormal, kStateSmall}) {
    for (int32_t w = 275; w <= 475; w += 25) {
      for (int32_t h :
           state == kStateNormal ? std::vector<int32_t>{116, 145, 290} : std::vector<int32_t>{14}) {
        for (int32_t y = 0; y < h; ++y) {
          for (int32_t x = 0; x < w; ++x) {
            const TRegionRow* row = RegionAt(state, w, h, x, y);
            if (row != nullptr) {
              const TSkinRect painted = ResolveRect(row->Painted, w, h);
              ASSERT_TRUE(x >= painted.Left && x < painted.Right && y >= painted.Top &&
                          y < painted.Bottom)
                  << static_cast<int>(row->Region) << " at " << x << "," << y << " in " << w << "x"
                  << h;
            }
            ASSERT_EQ(HoverCursor(state, w, h, x, y), HoverByRules(state, w, h, x, y))
                << state << " at " << x << "," << y << " in " << w << "x" << h;
          }
        }
      }
    }
  }
  const std::vector<TRegion> normalOrder = {
      TRegion::kTitleBar,    TRegion::kResizeGrip,  TRegion::kScrollUp, TRegion::kScrollDown,
      TRegion::kScrollBar,   TRegion::kPositionBar, TRegion::kList,     TRegion::kSmallButton,
      TRegion::kCloseButton, TRegion::kPrevious,    TRegion::kPlay,     TRegion::kPause,
      TRegion::kStop,        TRegion::kNext,        TRegion::kEject,    TRegion::kTimeDisplay};
  std::vector<TRegion> order;
  for (const TRegionRow& row : geometry::kNormalRegions) order.push_back(row.Region);
  EXPECT_EQ(order, normalOrder);
  order.clear();
  for (const TRegionRow& row : geometry::kSmallRegions) order.push_back(row.Region);
  EXPECT_EQ(order, (std::vector<TRegion>{TRegion::kSmallBar, TRegion::kSmallWidthGrip,
                                         TRegion::kNormalButton, TRegion::kSmallCloseButton}));
}

TEST(GeometryTable, NoTwoPressRegionsOfAWindowOverlap) {
  for (const int32_t state : {kStateNormal, kStateSmall}) {
    const std::vector<TRegionRow> rows = Rows(state);
    for (const int32_t w : Widths()) {
      for (const int32_t h : Heights(state)) {
        for (size_t i = 0; i < rows.size(); ++i) {
          for (size_t j = i + 1; j < rows.size(); ++j) {
            EXPECT_FALSE(Overlap(PressRect(rows[i].Press, w, h), PressRect(rows[j].Press, w, h)))
                << static_cast<int>(rows[i].Region) << " and " << static_cast<int>(rows[j].Region)
                << " in " << Size(w, h);
          }
        }
      }
    }
  }
}

TEST(GeometryTable, FixedPiecesAreCopiedAtTheirSizeAndDoNotOverlap) {
  for (const int32_t w : Widths()) {
    for (const int32_t state : {kStateNormal, kStateSmall}) {
      for (const int32_t h : Heights(state)) {
        std::vector<TSkinRect> placed;
        for (const TPiecePlacement& placement : geometry::kPiecePlacements) {
          const bool small =
              placement.Piece == TSkinPiece::kSmallLeft || placement.Piece == TSkinPiece::kSmallRight;
          if (small != (state == kStateSmall)) continue;
          const TSkinRect to = PiecePlacement(placement.Piece, w, h);
          const TSkinRect from = SkinPieceRect(placement.Piece);
          EXPECT_EQ(to.Width(), from.Width()) << static_cast<int>(placement.Piece);
          EXPECT_EQ(to.Height(), from.Height()) << static_cast<int>(placement.Piece);
          EXPECT_TRUE(Inside(to, {0, 0, w, h})) << static_cast<int>(placement.Piece);
          for (const TSkinRect& other : placed) {
            EXPECT_FALSE(Overlap(to, other)) << static_cast<int>(placement.Piece) << Size(w, h);
          }
          placed.push_back(to);
        }
      }
    }
  }
}

TEST(GeometryTable, WhatIsDrawnInsideAPieceStaysInsideIt) {
  for (const int32_t w : Widths()) {
    for (const int32_t h : Heights(kStateNormal)) {
      SCOPED_TRACE(Size(w, h));
      const TSkinRect list = ResolveRect(geometry::kListArea, w, h);
      const TSkinRect sides = ResolveRect(geometry::kRightSides, w, h);
      const TSkinRect panel = ResolveRect(geometry::kBottomRight, w, h);
      // The list's rows, texts, selection bar and time column.
      EXPECT_TRUE(Inside({EdgeAt(geometry::kListTextLeft, w), EdgeAt(geometry::kRowsTop, h),
                          EdgeAt(geometry::kTimeColumnRight, w), list.Bottom},
                         list));
      EXPECT_TRUE(
          Inside({list.Left, list.Top, EdgeAt(geometry::kSelectionRight, w), list.Bottom}, list));
      // The scroll thumb at either end of its travel.
      for (const TEdgeOffset& top :
           {geometry::kScrollThumbTops.Low, geometry::kScrollThumbTops.High}) {
        EXPECT_TRUE(Inside(ScrollThumbRect(w, EdgeAt(top, h)), sides));
      }
      // The position thumb at either end of the bar, holding the bar's press region and the
      // point a drag counts from.
      const TSkinRect first = PositionThumbAt(w, h, 0);
      const TSkinRect last = PositionThumbAt(w, h, geometry::kPositionThumbTravel);
      EXPECT_TRUE(Inside(first, panel));
      EXPECT_TRUE(Inside(last, panel));
      const TSkinRect travel = {first.Left, first.Top, last.Right, last.Bottom};
      EXPECT_TRUE(Inside(PressRect(Row(TRegion::kPositionBar).Press, w, h), travel));
      const int dragStart = EdgeAt(geometry::kPositionDragStart, w);
      EXPECT_TRUE(dragStart >= first.Left && dragStart < first.Right);
      // Under the thumb lies the same part of the bottom-right piece at every size.
      const TSkinRect designThumb = PositionThumbAt(kDesignWidth, kNormalMinHeight, 0);
      const TSkinRect designPanel =
          PiecePlacement(TSkinPiece::kBottomRight, kDesignWidth, kNormalMinHeight);
      EXPECT_EQ(first.Left - panel.Left, designThumb.Left - designPanel.Left);
      EXPECT_EQ(first.Top - panel.Top, designThumb.Top - designPanel.Top);
      // The time display, as large as the skin's empty display, holds its glyphs.
      const TSkinRect display = ResolveRect(geometry::kTimeDisplay, w, h);
      EXPECT_TRUE(Inside(display, panel));
      EXPECT_EQ(display.Width(), SkinPieceRect(TSkinPiece::kTimeBackground).Width());
      EXPECT_EQ(display.Height(), SkinPieceRect(TSkinPiece::kTimeBackground).Height());
      for (const TGlyphPiece& glyph : TimeDisplayGlyphs({1, 2, 3, 4}, true, w, h)) {
        EXPECT_TRUE(Inside(glyph.To, display));
      }
    }
    // The small window's time stays in the bar; its line gives way to the ellipsis before the
    // buttons.
    const TSkinRect bar = ResolveRect(geometry::kSmallBarArea, w, kSmallHeight);
    for (const TGlyphPiece& glyph : SmallTimeGlyphs({1, 2, 3, 4}, true, w)) {
      EXPECT_TRUE(Inside(glyph.To, bar)) << w;
    }
    const int buttons = EdgeAt(geometry::kSmallRight.Left, w);
    EXPECT_LT(EdgeAt(geometry::kSmallLineLeft, w), EdgeAt(geometry::kSmallEllipsisFrom, w));
    EXPECT_LT(EdgeAt(geometry::kSmallEllipsisFrom, w), buttons) << w;
  }
}

}  // namespace
}  // namespace varimo
