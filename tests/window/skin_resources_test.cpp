// The committed built-in bitmaps and cursors against the tables the window paints from.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sources/bytes.h"
#include "window/skin_tables.h"

namespace varimo {
namespace {

std::string ResourcePath(const std::string& name) {
  std::string here = __FILE__;
  // tests/window/<this file> -> resources/<name>
  for (int i = 0; i < 3; ++i) here = here.substr(0, here.find_last_of("/\\"));
  return here + "/resources/" + name;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An uncompressed palette BMP, read just far enough to compare colours.
struct PaletteBitmap {
  int Width = 0;
  int Height = 0;
  int Bits = 0;
  std::vector<uint32_t> Palette;  // 0x00RRGGBB
  std::vector<uint8_t> Data;
  size_t PixelOffset = 0;

  uint32_t At(int x, int y) const {
    const size_t stride = ((static_cast<size_t>(Width) * Bits + 31) / 32) * 4;
    const size_t row = PixelOffset + stride * static_cast<size_t>(Height - 1 - y);
    const size_t bit = static_cast<size_t>(x) * Bits;
    const uint8_t byte = Data.at(row + bit / 8);
    const int shift = 8 - Bits - static_cast<int>(bit % 8);
    return Palette.at((byte >> shift) & ((1 << Bits) - 1));
  }
};

PaletteBitmap ReadBitmap(const std::string& name) {
  PaletteBitmap bmp;
  bmp.Data = ReadAll(ResourcePath(name));
  const std::vector<uint8_t>& d = bmp.Data;
  EXPECT_GE(d.size(), 54u) << name;
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return bmp;
  bmp.PixelOffset = ReadUInt32LE(&d[10]);
  bmp.Width = static_cast<int>(ReadUInt32LE(&d[18]));
  bmp.Height = static_cast<int>(ReadUInt32LE(&d[22]));
  bmp.Bits = ReadUInt16LE(&d[28]);
  EXPECT_EQ(ReadUInt32LE(&d[30]), 0u) << name << " is compressed";
  uint32_t colors = ReadUInt32LE(&d[46]);
  if (colors == 0) colors = 1u << bmp.Bits;
  for (uint32_t i = 0; i < colors; ++i) {
    const uint8_t* entry = &d.at(14 + 40 + 4 * i);
    bmp.Palette.push_back((entry[2] << 16) | (entry[1] << 8) | entry[0]);
  }
  const size_t stride = ((static_cast<size_t>(bmp.Width) * bmp.Bits + 31) / 32) * 4;
  EXPECT_GE(d.size(), bmp.PixelOffset + stride * bmp.Height) << name;
  return bmp;
}

std::vector<uint32_t> CellPixels(const PaletteBitmap& glyphs, TGlyphCell cell) {
  const TSkinRect r = GlyphCellRect(cell);
  std::vector<uint32_t> pixels;
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) pixels.push_back(glyphs.At(x, y));
  }
  return pixels;
}

TEST(BuiltInSkin, BitmapsHaveTheFixedSizesAndDepths) {
  const PaletteBitmap frame = ReadBitmap("pledit.bmp");
  EXPECT_EQ(frame.Width, kBuiltInSkinWidth);
  EXPECT_EQ(frame.Height, kBuiltInSkinHeight);
  EXPECT_EQ(frame.Bits, 8);
  const PaletteBitmap glyphs = ReadBitmap("text.bmp");
  EXPECT_EQ(glyphs.Width, kGlyphBitmapWidth);
  EXPECT_EQ(glyphs.Height, kGlyphBitmapHeight);
  EXPECT_EQ(glyphs.Bits, 4);
}

TEST(BuiltInSkin, EveryGlyphIsDrawnAndDistinctAndTheBlankCellIsEmpty) {
  const PaletteBitmap glyphs = ReadBitmap("text.bmp");
  ASSERT_EQ(glyphs.Width, kGlyphBitmapWidth);
  const std::vector<uint32_t> blank = CellPixels(glyphs, kGlyphBlank);
  const uint32_t background = blank[0];
  for (uint32_t pixel : blank) EXPECT_EQ(pixel, background);

  std::set<std::vector<uint32_t>> seen;
  for (int ch = 0; ch < 256; ++ch) {
    if (std::islower(ch) || ch == ' ') continue;
    const std::optional<TGlyphCell> cell = GlyphOf(static_cast<uint8_t>(ch));
    if (!cell) continue;
    const std::vector<uint32_t> pixels = CellPixels(glyphs, *cell);
    EXPECT_NE(pixels, blank) << "no glyph drawn for " << static_cast<char>(ch);
    EXPECT_TRUE(seen.insert(pixels).second)
        << "glyph of " << static_cast<char>(ch) << " looks like another";
  }
  EXPECT_NE(CellPixels(glyphs, kGlyphEllipsis), blank);
  EXPECT_EQ(CellPixels(glyphs, *GlyphOf(' ')), blank);
}

TEST(BuiltInSkin, GlyphsSitOnTheFrameWithoutSeams) {
  const PaletteBitmap frame = ReadBitmap("pledit.bmp");
  const PaletteBitmap glyphs = ReadBitmap("text.bmp");
  ASSERT_EQ(frame.Width, kBuiltInSkinWidth);
  ASSERT_EQ(glyphs.Width, kGlyphBitmapWidth);
  const uint32_t background =
      glyphs.At(GlyphCellRect(kGlyphBlank).Left, GlyphCellRect(kGlyphBlank).Top);
  const TSkinRect time = SkinPieceRect(TSkinPiece::kTimeBackground);
  EXPECT_EQ(frame.At(time.Left, time.Top), background);
  EXPECT_EQ(frame.At(time.Right - 1, time.Bottom - 1), background);
  // The small window draws glyphs at (x, 4) from x = 5 on, through its filler.
  const TSkinRect left = SkinPieceRect(TSkinPiece::kSmallLeft);
  const TSkinRect filler = SkinPieceRect(TSkinPiece::kSmallFiller);
  for (int y = 4; y < 10; ++y) {
    EXPECT_EQ(frame.At(left.Left + 5, left.Top + y), background);
    EXPECT_EQ(frame.At(filler.Left, filler.Top + y), background);
    EXPECT_EQ(frame.At(filler.Right - 1, filler.Top + y), background);
  }
}

TEST(BuiltInSkin, PositionThumbCornersShowTheBarBehindIt) {
  const PaletteBitmap frame = ReadBitmap("pledit.bmp");
  ASSERT_EQ(frame.Width, kBuiltInSkinWidth);
  const TSkinRect bar = PositionBarBackground(0);
  for (bool pressed : {false, true}) {
    const TSkinRect thumb = SkinPieceRect(TSkinPiece::kPositionThumb, pressed);
    EXPECT_EQ(frame.At(thumb.Left, thumb.Top), frame.At(bar.Left, bar.Top));
    EXPECT_EQ(frame.At(thumb.Right - 1, thumb.Bottom - 1), frame.At(bar.Right - 1, bar.Bottom - 1));
  }
}

TEST(BuiltInSkin, CursorsAre32By32With16ColoursAndTheHotSpotAtTheTip) {
  for (const TCursorResource& cursor : kBuiltInCursors) {
    std::string file = cursor.Name;
    file = file.substr(0, file.size() - 3);  // "NORMALCUR" -> "normal.cur"
    for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    file += ".cur";
    SCOPED_TRACE(file);
    const std::vector<uint8_t> d = ReadAll(ResourcePath(file));
    ASSERT_GE(d.size(), 22u + 40u);
    EXPECT_EQ(ReadUInt16LE(&d[0]), 0);
    EXPECT_EQ(ReadUInt16LE(&d[2]), 2);  // cursor
    EXPECT_EQ(ReadUInt16LE(&d[4]), 1);
    EXPECT_EQ(d[6], 32);
    EXPECT_EQ(d[7], 32);
    EXPECT_EQ(d[8], 16);
    EXPECT_EQ(ReadUInt16LE(&d[10]), 0);  // hot spot x
    EXPECT_EQ(ReadUInt16LE(&d[12]), 0);  // hot spot y
    const uint32_t size = ReadUInt32LE(&d[14]);
    const uint32_t offset = ReadUInt32LE(&d[18]);
    EXPECT_EQ(offset + size, d.size());
    ASSERT_GE(d.size(), offset + 40u);
    EXPECT_EQ(ReadUInt32LE(&d[offset + 4]), 32u);
    EXPECT_EQ(ReadUInt32LE(&d[offset + 8]), 64u);  // image and mask
    EXPECT_EQ(ReadUInt16LE(&d[offset + 14]), 4);
  }
}

}  // namespace
}  // namespace varimo
