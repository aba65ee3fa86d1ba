#include "window/bmp_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/bmp_builder.h"

namespace varimo {
namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000, kYellow = 0xFFFF00;

// A 3 x 2 image (rows of 3 pixels need padding in most forms), top row first; every colour
// is exact in 5 bits per channel.
const std::vector<uint32_t> kPixels = {kRed, kGreen, kBlue, kWhite, kBlack, kYellow};
const std::vector<uint32_t> kPalette = {kBlack, kRed, kGreen, kBlue, kWhite, kYellow};

uint32_t PixelAt(int x, int y) {
  return kPixels[y * 3 + x];
}
uint8_t IndexAt(int x, int y) {
  return static_cast<uint8_t>(std::find(kPalette.begin(), kPalette.end(), PixelAt(x, y)) -
                              kPalette.begin());
}

BmpSpec TopDown(BmpSpec spec) {
  const size_t stride = spec.Bits.size() / spec.Height;
  std::vector<uint8_t> flipped;
  for (int row = spec.Height - 1; row >= 0; --row) {
    flipped.insert(flipped.end(), spec.Bits.begin() + row * stride,
                   spec.Bits.begin() + (row + 1) * stride);
  }
  spec.Bits = flipped;
  spec.Height = -spec.Height;
  return spec;
}

BmpSpec WithHeader(BmpSpec spec, uint32_t headerSize) {
  spec.HeaderSize = headerSize;
  return spec;
}

// The image in 16 or 32 bits a pixel, each made by encode; with masks, as bit fields.
BmpSpec Packed(uint16_t bitCount, const std::function<uint32_t(uint32_t)>& encode,
               std::vector<uint32_t> masks = {}, uint32_t headerSize = 40) {
  BmpSpec spec = TrueColorBmp(3, 2, 32, [&](int x, int y) { return encode(PixelAt(x, y)); });
  if (bitCount == 16) {
    std::vector<uint8_t> bits;  // 6 bytes a row, padded to 8
    for (size_t i = 0; i < spec.Bits.size(); i += 4) {
      bits.push_back(spec.Bits[i]);
      bits.push_back(spec.Bits[i + 1]);
      if (i % 12 == 8) bits.insert(bits.end(), {0, 0});
    }
    spec.Bits = bits;
  }
  spec.BitCount = bitCount;
  spec.Compression = masks.empty() ? 0 : 3;
  spec.Masks = std::move(masks);
  spec.HeaderSize = headerSize;
  return spec;
}

uint32_t Same(uint32_t c) {
  return c;
}

uint32_t To555(uint32_t c) {
  return ((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31);
}
uint32_t To565(uint32_t c) {
  return ((c >> 19) & 31) << 11 | ((c >> 10) & 63) << 5 | ((c >> 3) & 31);
}

// Run-length bits of the image, bottom row first, with the palette above.
BmpSpec RunLength(uint32_t compression, std::vector<uint8_t> stream) {
  BmpSpec spec;
  spec.Width = 3;
  spec.Height = 2;
  spec.BitCount = compression == 1 ? 8 : 4;
  spec.Compression = compression;
  spec.Palette = kPalette;
  spec.ColorsUsed = static_cast<uint32_t>(kPalette.size());
  spec.Bits = std::move(stream);
  return spec;
}

TEST(DecodeBmp, DecodesEveryAcceptedFormToTheSamePixels) {
  BmpSpec core = PalettedBmp(3, 2, 8, kPalette, IndexAt);
  core.HeaderSize = 12;
  core.ColorsUsed = 0;
  core.Palette.resize(256, 0);
  BmpSpec gap = TrueColorBmp(3, 2, 24, PixelAt);
  gap.BitsOffset = 14 + 40 + 10;
  BmpSpec os2 = WithHeader(TrueColorBmp(3, 2, 24, PixelAt), 64);
  BmpSpec paletteAfterHint = TrueColorBmp(3, 2, 24, PixelAt);
  paletteAfterHint.Palette = {kRed, kBlue};
  paletteAfterHint.ColorsUsed = 2;
  const uint8_t w = IndexAt(0, 1), k = IndexAt(1, 1), yl = IndexAt(2, 1);
  const uint8_t r = IndexAt(0, 0), g = IndexAt(1, 0), b = IndexAt(2, 0);
  struct Case {
    const char* Name;
    BmpSpec Spec;
  };
  // clang-format off
  const Case cases[] = {
      {"24 bits, bottom-up",            TrueColorBmp(3, 2, 24, PixelAt)},
      {"24 bits, top-down",             TopDown(TrueColorBmp(3, 2, 24, PixelAt))},
      {"32 bits, top byte ignored",     TrueColorBmp(3, 2, 32, [](int x, int y) { return 0xFF000000 | PixelAt(x, y); })},
      {"32 bits, 52-byte header",       WithHeader(TrueColorBmp(3, 2, 32, PixelAt), 52)},
      {"32 bits, 124-byte header",      WithHeader(TrueColorBmp(3, 2, 32, PixelAt), 124)},
      {"OS/2 64-byte header",           os2},
      {"bits after a gap",              gap},
      {"a palette hint before 24 bits", paletteAfterHint},
      {"8 bits",                        PalettedBmp(3, 2, 8, kPalette, IndexAt)},
      {"8 bits, top-down",              TopDown(PalettedBmp(3, 2, 8, kPalette, IndexAt))},
      {"8 bits, OS/2 core header",      core},
      {"4 bits",                        PalettedBmp(3, 2, 4, kPalette, IndexAt)},
      {"16 bits, 5-5-5",                Packed(16, To555)},
      {"16 bits, 5-6-5 fields",         Packed(16, To565, {0xF800, 0x07E0, 0x001F})},
      {"32 bits, fields after header",  Packed(32, Same, {0xFF0000, 0xFF00, 0xFF})},
      {"32 bits, fields in V4 header",  Packed(32, [](uint32_t c) { return (c >> 16) | (c & 0xFF00) | (c & 0xFF) << 16; },
                                               {0xFF, 0xFF00, 0xFF0000}, 108)},
      {"RLE8",                          RunLength(1, {0, 3, w, k, yl, 0, 0, 0, 1, r, 1, g, 1, b, 0, 1})},
      {"RLE4",                          RunLength(2, {0, 3, uint8_t(w << 4 | k), uint8_t(yl << 4), 0, 0,
                                                      2, uint8_t(r << 4 | g), 1, uint8_t(b << 4), 0, 1})},
  };
  // clang-format on
  for (const Case& c : cases) {
    const std::vector<uint8_t> file = BuildBmp(c.Spec);
    const TBmpResult result = DecodeBmp(file.data(), file.size());
    EXPECT_EQ(result.Status, TBmpStatus::kDecoded) << c.Name;
    EXPECT_EQ(result.Image.Width, 3) << c.Name;
    EXPECT_EQ(result.Image.Height, 2) << c.Name;
    EXPECT_EQ(result.Image.Pixels, kPixels) << c.Name;
  }
}

TEST(DecodeBmp, OneBitPerPixelIndexesATwoColourPalette) {
  const std::vector<uint8_t> file =
      BuildBmp(PalettedBmp(10, 1, 1, {kBlue, kYellow}, [](int x, int) { return x % 3 == 0; }));
  const TBmpResult result = DecodeBmp(file.data(), file.size());
  ASSERT_EQ(result.Status, TBmpStatus::kDecoded);
  const std::vector<uint32_t> expected = {kYellow, kBlue,   kBlue, kYellow, kBlue,
                                          kBlue,   kYellow, kBlue, kBlue,   kYellow};
  EXPECT_EQ(result.Image.Pixels, expected);
}

TEST(DecodeBmp, RunLengthCodingIsClippedAndSkipsStayBlack) {
  // Bottom row: a run of 255 pixels on a row of 3, then a delta that skips a pixel of the
  // top row; no end-of-bitmap mark after the last row.
  const uint8_t r = IndexAt(0, 0), y = IndexAt(2, 1);
  const std::vector<uint8_t> file = BuildBmp(RunLength(1, {255, y, 0, 0, 0, 2, 1, 0, 2, r}));
  const TBmpResult result = DecodeBmp(file.data(), file.size());
  ASSERT_EQ(result.Status, TBmpStatus::kDecoded);
  const std::vector<uint32_t> expected = {kBlack, kRed, kRed, kYellow, kYellow, kYellow};
  EXPECT_EQ(result.Image.Pixels, expected);
}

TEST(DecodeBmp, RefusesWhatNoSoundBitmapIs) {
  auto with = [](BmpSpec spec, const std::function<void(BmpSpec&)>& change) {
    change(spec);
    return BuildBmp(spec);
  };
  const BmpSpec base = TrueColorBmp(3, 2, 24, PixelAt);
  const BmpSpec paletted = PalettedBmp(3, 2, 8, kPalette, IndexAt);
  std::vector<uint8_t> frame = BuildBmp(PalettedBmp(280, 111, 8, kPalette, [](int, int) { return 1; }));
  frame.resize(200);
  std::vector<uint8_t> cutRows = BuildBmp(base);
  cutRows.pop_back();
  std::vector<uint8_t> headerOnly = BuildBmp(base);
  headerOnly.resize(30);
  auto header = [&](int32_t width, int32_t height) {
    return with(base, [&](BmpSpec& s) {
      s.Width = width;
      s.Height = height;
      s.Bits.clear();
    });
  };
  struct Case {
    const char* Name;
    std::vector<uint8_t> File;
    TBmpStatus Expected;
  };
  // clang-format off
  const Case cases[] = {
      {"no bytes",                       {},                                                       TBmpStatus::kNotBmp},
      {"not a BMP",                      {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, TBmpStatus::kNotBmp},
      {"file header only",               {'B', 'M', 0, 0, 0, 0},                                   TBmpStatus::kTruncated},
      {"cut inside the info header",     headerOnly,                                               TBmpStatus::kTruncated},
      {"280 x 111 ending after 200",     frame,                                                    TBmpStatus::kTruncated},
      {"the last row a byte short",      cutRows,                                                  TBmpStatus::kTruncated},
      {"a 20-byte header",               with(base, [](BmpSpec& s) { s.HeaderSize = 20; }),        TBmpStatus::kUnsupported},
      {"two planes",                     with(base, [](BmpSpec& s) { s.Planes = 2; }),             TBmpStatus::kBadHeader},
      {"width 0",                        header(0, 2),                                             TBmpStatus::kBadHeader},
      {"negative width",                 header(-3, 2),                                            TBmpStatus::kBadHeader},
      {"height 0",                       header(3, 0),                                             TBmpStatus::kBadHeader},
      {"8000 x 8000, header only",       header(8000, 8000),                                       TBmpStatus::kTooLarge},
      {"2048 x 2049",                    header(2048, 2049),                                       TBmpStatus::kTooLarge},
      {"16385 x 1",                      header(16385, 1),                                         TBmpStatus::kTooLarge},
      {"-2147483648 rows",               header(3, INT32_MIN),                                     TBmpStatus::kTooLarge},
      {"JPEG inside",                    with(base, [](BmpSpec& s) { s.Compression = 4; }),        TBmpStatus::kUnsupported},
      {"OS/2 Huffman coding",            with(base, [](BmpSpec& s) { s.HeaderSize = 64; s.Compression = 3; }), TBmpStatus::kUnsupported},
      {"bit fields on 24 bits",          with(base, [](BmpSpec& s) { s.Compression = 3; s.Masks = {0xFF0000, 0xFF00, 0xFF}; }), TBmpStatus::kUnsupported},
      {"5 bits per pixel",               with(base, [](BmpSpec& s) { s.BitCount = 5; }),           TBmpStatus::kUnsupported},
      {"RLE8 top-down",                  with(RunLength(1, {0, 1}), [](BmpSpec& s) { s.Height = -2; }), TBmpStatus::kUnsupported},
      {"RLE8 on 4 bits",                 with(RunLength(1, {0, 1}), [](BmpSpec& s) { s.BitCount = 4; }), TBmpStatus::kUnsupported},
      {"a mask with a gap",              BuildBmp(Packed(32, Same, {0xF0F000, 0xFF00, 0xFF})), TBmpStatus::kBadHeader},
      {"a mask of nothing",              BuildBmp(Packed(32, Same, {0, 0xFF00, 0xFF})), TBmpStatus::kBadHeader},
      {"masks cut off",                  with(Packed(32, Same, {0xFF0000, 0xFF00, 0xFF}), [](BmpSpec& s) {
                                           s.Masks.resize(1); s.Bits.clear(); }),   TBmpStatus::kTruncated},
      {"300 colours for 8 bits",         with(paletted, [](BmpSpec& s) { s.ColorsUsed = 300; }),   TBmpStatus::kBadHeader},
      {"a palette past the end",         with(paletted, [](BmpSpec& s) { s.ColorsUsed = 200; s.Bits.clear(); }), TBmpStatus::kTruncated},
      {"bits inside the headers",        with(base, [](BmpSpec& s) { s.BitsOffset = 20; }),        TBmpStatus::kBadHeader},
      {"bits past the end",              with(base, [](BmpSpec& s) { s.BitsOffset = 1000; s.Bits.clear(); }), TBmpStatus::kTruncated},
      {"RLE8 cut before its last row",   BuildBmp(RunLength(1, {3, 1, 0})),                        TBmpStatus::kTruncated},
      {"RLE8 absolute run cut",          BuildBmp(RunLength(1, {0, 3, 1, 1})),                     TBmpStatus::kTruncated},
      {"RLE8 claiming more than it has", with(RunLength(1, {0, 1}), [](BmpSpec& s) { s.ImageSize = 100; }), TBmpStatus::kTruncated},
  };
  // clang-format on
  for (const Case& c : cases) {
    const TBmpResult result = DecodeBmp(c.File.data(), c.File.size());
    EXPECT_EQ(result.Status, c.Expected) << c.Name;
    EXPECT_TRUE(result.Image.Pixels.empty()) << c.Name;
  }
}

}  // namespace
}  // namespace varimo
