#include "window/skin_tables.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace varimo {
namespace {

bool Inside(const TSkinRect& inner, const TSkinRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

bool Overlap(const TSkinRect& a, const TSkinRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

TEST(SkinTables, EveryPieceHasItsSizeAndLiesInsideTheBuiltInBitmap) {
  struct Size {
    TSkinPiece Piece;
    int Width;
    int Height;
  };
  const Size sizes[] = {
      {TSkinPiece::kTopLeftCorner, 25, 20}, {TSkinPiece::kTitle, 100, 20},
      {TSkinPiece::kTopFiller, 25, 20},     {TSkinPiece::kTopRightCorner, 25, 20},
      {TSkinPiece::kLeftSide, 25, 29},      {TSkinPiece::kRightSide, 25, 29},
      {TSkinPiece::kBottomLeft, 125, 38},   {TSkinPiece::kBottomFiller, 25, 38},
      {TSkinPiece::kBottomRight, 150, 38},  {TSkinPiece::kScrollThumb, 8, 18},
      {TSkinPiece::kTimeBackground, 28, 6}, {TSkinPiece::kSmallLeft, 25, 14},
      {TSkinPiece::kSmallFiller, 25, 14},   {TSkinPiece::kSmallRight, 50, 14},
      {TSkinPiece::kPositionThumb, 8, 14},
  };
  ASSERT_EQ(std::size(sizes), kSkinPieces.size());
  const TSkinRect bitmap{0, 0, kBuiltInSkinWidth, kBuiltInSkinHeight};
  for (size_t i = 0; i < kSkinPieces.size(); ++i) {
    SCOPED_TRACE(i);
    const TSkinPieceRects& entry = kSkinPieces[i];
    EXPECT_EQ(static_cast<size_t>(entry.Piece), i) << "table order differs from the enum";
    EXPECT_EQ(entry.Piece, sizes[i].Piece);
    for (const TSkinRect& rect : {entry.Rect, entry.Alternate}) {
      EXPECT_EQ(rect.Width(), sizes[i].Width);
      EXPECT_EQ(rect.Height(), sizes[i].Height);
      EXPECT_TRUE(Inside(rect, bitmap));
    }
  }
}

TEST(SkinTables, PiecesDoNotSharePixelsExceptTheTimeBackgroundInsideTheBottomRight) {
  std::vector<std::pair<TSkinPiece, TSkinRect>> rects;
  for (const TSkinPieceRects& entry : kSkinPieces) {
    rects.push_back({entry.Piece, entry.Rect});
    if (entry.Alternate != entry.Rect) rects.push_back({entry.Piece, entry.Alternate});
  }
  for (size_t i = 0; i < rects.size(); ++i) {
    for (size_t j = i + 1; j < rects.size(); ++j) {
      const bool timeInPanel = (rects[i].first == TSkinPiece::kBottomRight &&
                                rects[j].first == TSkinPiece::kTimeBackground);
      if (timeInPanel) {
        EXPECT_TRUE(Inside(rects[j].second, rects[i].second));
        continue;
      }
      EXPECT_FALSE(Overlap(rects[i].second, rects[j].second))
          << static_cast<int>(rects[i].first) << " and " << static_cast<int>(rects[j].first);
    }
  }
}

TEST(SkinTables, VariantsDifferOnlyWhereThePieceChangesWithActivationOrPress) {
  const std::set<TSkinPiece> withVariant = {TSkinPiece::kTopLeftCorner, TSkinPiece::kTitle,
                                            TSkinPiece::kTopFiller,     TSkinPiece::kTopRightCorner,
                                            TSkinPiece::kScrollThumb,   TSkinPiece::kSmallRight,
                                            TSkinPiece::kPositionThumb};
  for (const TSkinPieceRects& entry : kSkinPieces) {
    EXPECT_EQ(entry.Rect != entry.Alternate, withVariant.count(entry.Piece) == 1)
        << static_cast<int>(entry.Piece);
  }
  EXPECT_EQ(SkinPieceRect(TSkinPiece::kTitle), (TSkinRect{26, 0, 126, 20}));
  EXPECT_EQ(SkinPieceRect(TSkinPiece::kTitle, true), (TSkinRect{26, 21, 126, 41}));
  EXPECT_EQ(SkinPieceRect(TSkinPiece::kScrollThumb, true), (TSkinRect{61, 53, 69, 71}));
}

TEST(SkinTables, PositionThumbComesFromItsOwnPieceOrFromTheScrollThumbHalves) {
  struct Case {
    bool OwnLayout;
    bool Pressed;
    TSkinRect Upper;
    TSkinRect Lower;
  };
  const Case cases[] = {
      {true, false, {150, 57, 158, 64}, {150, 64, 158, 71}},
      {true, true, {159, 57, 167, 64}, {159, 64, 167, 71}},
      {false, false, {52, 53, 60, 60}, {52, 64, 60, 71}},
      {false, true, {61, 53, 69, 60}, {61, 64, 69, 71}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.OwnLayout << c.Pressed);
    const TPositionThumbSource source = PositionThumbSource(c.OwnLayout, c.Pressed);
    EXPECT_EQ(source.Upper, c.Upper);
    EXPECT_EQ(source.Lower, c.Lower);
    EXPECT_EQ(source.Upper.Height() + source.Lower.Height(), 14);
  }
}

TEST(SkinTables, PositionBarBackgroundStaysInsideTheBottomRightPiece) {
  struct Case {
    int D;
    TSkinRect Expected;
  };
  const Case cases[] = {
      {0, {131, 78, 139, 92}},  {42, {173, 78, 181, 92}},   {85, {216, 78, 224, 92}},
      {-3, {131, 78, 139, 92}}, {1000, {216, 78, 224, 92}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.D);
    EXPECT_EQ(PositionBarBackground(c.D), c.Expected);
    EXPECT_TRUE(Inside(PositionBarBackground(c.D), SkinPieceRect(TSkinPiece::kBottomRight)));
  }
}

TEST(SkinTables, GlyphCellsOfTheCharacters) {
  struct Case {
    char Ch;
    TGlyphCell Cell;
  };
  const Case cases[] = {
      {'A', {0, 0}},  {'z', {0, 25}}, {'Z', {0, 25}},  {'m', {0, 12}},  {'"', {0, 26}},
      {' ', {0, 30}}, {'0', {1, 0}},  {'9', {1, 9}},   {'.', {1, 11}},  {':', {1, 12}},
      {'(', {1, 13}}, {')', {1, 14}}, {'-', {1, 15}},  {'\'', {1, 16}}, {'!', {1, 17}},
      {'_', {1, 18}}, {'+', {1, 19}}, {'\\', {1, 20}}, {'/', {1, 21}},  {'[', {1, 22}},
      {']', {1, 23}}, {'^', {1, 24}}, {'&', {1, 25}},  {'%', {1, 26}},  {',', {1, 27}},
      {'$', {1, 29}}, {'#', {1, 30}}, {'?', {2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.Ch));
    const std::optional<TGlyphCell> cell = GlyphOf(static_cast<uint8_t>(c.Ch));
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(*cell, c.Cell);
  }
}

TEST(SkinTables, CharactersWithoutGlyphAreDrawnWithTheFont) {
  const int noGlyph[] = {'*', '@', ';', '<',  '=',  '>',  '`',  '{',  '|',  '}',
                         '~', 0,   9,   0x7F, 0x81, 0x82, 0xA0, 0xB1, 0xE0, 0xFF};
  for (int ch : noGlyph) {
    EXPECT_FALSE(GlyphOf(static_cast<uint8_t>(ch)).has_value()) << ch;
  }
}

TEST(SkinTables, GlyphCellsAreInRangeAndEachBelongsToOneCharacter) {
  std::set<std::pair<int, int>> used;
  int withGlyph = 0;
  for (int ch = 0; ch < 256; ++ch) {
    if (ch >= 'a' && ch <= 'z') {
      EXPECT_EQ(GlyphOf(static_cast<uint8_t>(ch)), GlyphOf(static_cast<uint8_t>(ch - 32)));
      continue;
    }
    const std::optional<TGlyphCell> cell = GlyphOf(static_cast<uint8_t>(ch));
    if (!cell) continue;
    ++withGlyph;
    EXPECT_GE(cell->Row, 0);
    EXPECT_LT(cell->Row, kGlyphRows);
    EXPECT_GE(cell->Column, 0);
    EXPECT_LT(cell->Column, kGlyphColumns);
    EXPECT_TRUE(used.insert({cell->Row, cell->Column}).second) << "cell shared by " << ch;
  }
  // Letters, digits, the three punctuation runs, ":" and "?".
  EXPECT_EQ(withGlyph, 26 + 10 + 10 + 5 + 5 + 2);
  for (TGlyphCell special : {kGlyphBlank, kGlyphEllipsis}) {
    EXPECT_EQ(used.count({special.Row, special.Column}), 0u);
  }
  EXPECT_EQ(used.count({kGlyphMinus.Row, kGlyphMinus.Column}), 1u);
}

TEST(SkinTables, GlyphCellRectsTileTheGlyphBitmap) {
  EXPECT_EQ(kGlyphBitmapWidth, 155);
  EXPECT_EQ(kGlyphBitmapHeight, 18);
  EXPECT_EQ(GlyphCellRect({0, 0}), (TSkinRect{0, 0, 5, 6}));
  EXPECT_EQ(GlyphCellRect(kGlyphMinus), (TSkinRect{75, 6, 80, 12}));
  EXPECT_EQ(GlyphCellRect(GlyphDigit(7)), (TSkinRect{35, 6, 40, 12}));
  EXPECT_EQ(GlyphCellRect({kGlyphRows - 1, kGlyphColumns - 1}), (TSkinRect{150, 12, 155, 18}));
}

TEST(SkinTables, CursorsAreNumberedOneToSixWithDistinctNames) {
  std::set<std::string> names;
  for (size_t i = 0; i < kBuiltInCursors.size(); ++i) {
    EXPECT_EQ(kBuiltInCursors[i].Number, static_cast<int>(i) + 1);
    EXPECT_TRUE(names.insert(kBuiltInCursors[i].Name).second);
  }
}

}  // namespace
}  // namespace varimo
