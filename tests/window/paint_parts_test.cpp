// The partial drawings between repaints and the small window's line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/recording_canvas.h"
#include "window/paint.h"
#include "window/paint_small.h"
#include "window/paint_time.h"

namespace varimo {
namespace {

struct Placed {
  TGlyphCell Cell;
  int X;

  bool operator==(const Placed& other) const { return Cell == other.Cell && X == other.X; }
};

std::vector<Placed> Place(const std::vector<TGlyphPiece>& pieces, int top) {
  std::vector<Placed> placed;
  for (const TGlyphPiece& piece : pieces) {
    EXPECT_EQ(piece.To, (TSkinRect{piece.To.Left, top, piece.To.Left + 5, top + 6}));
    placed.push_back({piece.Cell, piece.To.Left});
  }
  return placed;
}

TEST(PaintPartsTest, TimeDisplayDigitsSurroundTheSkinsColon) {
  struct Case {
    const char* Name;
    TTimeDigits Digits;
    bool Remain;
    std::vector<Placed> Expected;
  };
  const Case cases[] = {
      {"elapsed",
       {0, 3, 4, 5},
       false,
       {{GlyphDigit(0), 198}, {GlyphDigit(3), 203}, {GlyphDigit(4), 211}, {GlyphDigit(5), 216}}},
      {"remaining",
       {1, 2, 0, 9},
       true,
       {{kGlyphMinus, 193},
        {GlyphDigit(1), 198},
        {GlyphDigit(2), 203},
        {GlyphDigit(0), 211},
        {GlyphDigit(9), 216}}},
      {"a track of two hours has no tens digit to show",
       {12, 0, 0, 0},
       false,
       {{kGlyphBlank, 198}, {GlyphDigit(0), 203}, {GlyphDigit(0), 211}, {GlyphDigit(0), 216}}},
      {"no time", {0, 0, 0, -1}, true, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Place(TimeDisplayGlyphs(c.Digits, c.Remain, 275, 116), 101), c.Expected) << c.Name;
  }
}

TEST(PaintPartsTest, SmallTimeMakesRoomForTheMinusSign) {
  struct Case {
    const char* Name;
    TTimeDigits Digits;
    bool Remain;
    std::vector<Placed> Expected;
  };
  const std::vector<Placed> tail = {
      {GlyphDigit(3), 226}, {kGlyphColon, 231}, {GlyphDigit(4), 236}, {GlyphDigit(5), 241}};
  auto with = [&tail](std::vector<Placed> head) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  };
  const Case cases[] = {
      {"remaining under ten minutes",
       {0, 3, 4, 5},
       true,
       with({{kGlyphBlank, 216}, {kGlyphMinus, 221}})},
      {"remaining ten minutes or more",
       {1, 3, 4, 5},
       true,
       with({{kGlyphMinus, 216}, {GlyphDigit(1), 221}})},
      {"elapsed under ten minutes", {0, 3, 4, 5}, false, with({{kGlyphBlank, 221}})},
      {"elapsed ten minutes or more", {2, 3, 4, 5}, false, with({{GlyphDigit(2), 221}})},
      {"no time", {2, 3, 4, -1}, false, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Place(SmallTimeGlyphs(c.Digits, c.Remain, 275), 4), c.Expected) << c.Name;
  }
}

TEST(PaintPartsTest, SmallTrackTimeShowsTheFirstFourCharacters) {
  EXPECT_EQ(Place(SmallTrackTimeGlyphs("1203", 275), 4),
            (std::vector<Placed>{{GlyphDigit(1), 221},
                                 {GlyphDigit(2), 226},
                                 {kGlyphColon, 231},
                                 {GlyphDigit(0), 236},
                                 {GlyphDigit(3), 241}}));
  EXPECT_EQ(Place(SmallTrackTimeGlyphs("10003", 275), 4).back(), (Placed{GlyphDigit(0), 241}));
  EXPECT_TRUE(SmallTrackTimeGlyphs("", 275).empty());
}

TEST(PaintPartsTest, BlankingTheTimeDisplayCopiesTheEmptyDisplay) {
  RecordingCanvas canvas;
  BlankTimeDisplay(canvas, 275, 116);
  ASSERT_EQ(canvas.Calls().size(), 1u);
  EXPECT_EQ(canvas.Calls()[0].From, (TSkinRect{194, 95, 222, 101}));
  EXPECT_EQ(canvas.Calls()[0].To, (TSkinRect{193, 101, 221, 107}));
}

TEST(PaintPartsTest, PositionThumbComesFromTheOwnLayoutOrTheScrollThumb) {
  struct Copy {
    TSkinRect From;
    TSkinRect To;
  };
  struct Case {
    const char* Name;
    bool OwnLayout;
    int Offset;
    std::vector<Copy> Expected;
  };
  const TSkinRect thumb{172, 84, 180, 98};
  const Case cases[] = {
      {"own", true, 0, {{{150, 57, 158, 71}, thumb}}},
      {"own pressed", true, 9, {{{159, 57, 167, 71}, thumb}}},
      {"borrowed",
       false,
       0,
       {{{52, 53, 60, 60}, {172, 84, 180, 91}}, {{52, 64, 60, 71}, {172, 91, 180, 98}}}},
      {"borrowed pressed",
       false,
       9,
       {{{61, 53, 69, 60}, {172, 84, 180, 91}}, {{61, 64, 69, 71}, {172, 91, 180, 98}}}},
      {"erased", true, -1, {{{173, 78, 181, 92}, thumb}}},
      {"erased without own layout", false, -1, {{{173, 78, 181, 92}, thumb}}},
  };
  for (const Case& c : cases) {
    RecordingCanvas canvas;
    DrawPositionThumb(canvas, 275, 116, c.OwnLayout, c.Offset, 0.5);
    ASSERT_EQ(canvas.Calls().size(), c.Expected.size()) << c.Name;
    for (size_t i = 0; i < c.Expected.size(); ++i) {
      EXPECT_EQ(canvas.Calls()[i].Source, TCanvasBitmap::kSkin) << c.Name;
      EXPECT_EQ(canvas.Calls()[i].From, c.Expected[i].From) << c.Name;
      EXPECT_EQ(canvas.Calls()[i].To, c.Expected[i].To) << c.Name;
    }
  }
}

// The small line as text: a glyph by its character, blank cells as "_", the ellipsis as "~",
// font texts in brackets, each with its x.
std::string Show(const std::vector<TSmallPiece>& pieces) {
  std::string shown;
  for (const TSmallPiece& piece : pieces) {
    if (!piece.IsGlyph) {
      shown +=
          "[" + piece.Text + "@" + std::to_string(piece.X) + "," + std::to_string(piece.Y) + "]";
      continue;
    }
    const TGlyphCell cell = piece.Glyph.Cell;
    std::string name;
    if (cell == kGlyphBlank) {
      name = "_";
    } else if (cell == kGlyphEllipsis) {
      name = "~";
    } else if (cell.Row == 0 && cell.Column < 26) {
      name = std::string(1, static_cast<char>('A' + cell.Column));
    } else {
      name = "(" + std::to_string(cell.Row) + "," + std::to_string(cell.Column) + ")";
    }
    shown += name + "@" + std::to_string(piece.Glyph.To.Left);
    if (piece.Glyph.To.Width() != 5) shown += "w" + std::to_string(piece.Glyph.To.Width());
    shown += " ";
  }
  return shown;
}

TEST(PaintPartsTest, SmallLinePlacesGlyphsFontCharactersAndBlanks) {
  struct Case {
    const char* Name;
    std::string Line;
    int Width;
    int Pitch;
    std::string Expected;
  };
  const Case cases[] = {
      {"lower case uses the upper-case glyphs", "Ab", 85, 0, "A@5 B@10 _@15 _@20 _@25 _@30 "},
      {"no glyph: the font, pitch after it", "*@", 85, 2, "[*@5,3][@@12,3]_@19 _@24 _@29 _@34 "},
      {"double-byte character: stretched blank under it",
       "\x82\xA0"
       "A",
       85, 2, "_@5w8 [\x82\xA0@5,2]A@15 _@20 _@25 _@30 "},
      {"lone lead byte at the end is one font character", "\x82", 75, 0,
       "[\x82@5,3]_@10 _@15 _@20 "},
      {"the ellipsis past width - 70", "ABCDEFGH", 95, 0,
       "A@5 B@10 C@15 D@20 E@25 ~@30 _@35 _@40 "},
      {"a pitch out of range counts as the nearest allowed", "**", 80, -100,
       "[*@5,3][*@10,3]_@15 _@20 _@25 "},
      {"empty line: blanks only", "", 65, 0, "_@5 _@10 "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Show(PrepareSmallLine(c.Line, c.Width, c.Pitch)), c.Expected) << c.Name;
  }
}

TEST(PaintPartsTest, SmallLineEndsAtTheEllipsisInAWideWindow) {
  const std::vector<TSmallPiece> pieces = PrepareSmallLine(std::string(100, 'A'), 275, 0);
  size_t letters = 0;
  for (const TSmallPiece& piece : pieces) {
    if (piece.Glyph.Cell == GlyphLetter(0)) ++letters;
  }
  EXPECT_EQ(letters, 41u);  // x = 5 to 205
  ASSERT_EQ(pieces.size(), 44u);
  EXPECT_EQ(Show({pieces[41], pieces[42], pieces[43]}), "~@210 _@215 _@220 ");
}

TEST(PaintPartsTest, SmallLinePrefixNumbersFromOne) {
  EXPECT_EQ(SmallLinePrefix(0), "1. ");
  EXPECT_EQ(SmallLinePrefix(4), "5. ");
}

}  // namespace
}  // namespace varimo
