#pragma once
// Builds BMP files for tests, fuzz seeds and benchmarks: any header size, bit count and
// compression, with the bits given as stored, or encoded from pixels for the common forms.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace varimo {

struct BmpSpec {
  int32_t Width = 1;
  int32_t Height = 1;  // negative: rows stored top-down
  uint16_t BitCount = 24;
  uint32_t Compression = 0;
  uint32_t HeaderSize = 40;  // 12 writes the OS/2 core header
  uint16_t Planes = 1;
  std::vector<uint32_t> Palette;  // 0x00RRGGBB each
  uint32_t ColorsUsed = 0;
  std::vector<uint32_t> Masks;  // after a 40-byte header, inside longer ones
  uint32_t ImageSize = 0;
  std::vector<uint8_t> Bits;           // as stored: padded rows, or the coded stream
  std::optional<uint32_t> BitsOffset;  // default: right after the palette
};

std::vector<uint8_t> BuildBmp(const BmpSpec& spec);

// Pixel (x, y) of an image, y = 0 the top row, as 0x00RRGGBB.
using TPixelAt = std::function<uint32_t(int x, int y)>;

// An uncompressed bottom-up bitmap of 24 or 32 bits per pixel.
BmpSpec TrueColorBmp(int width, int height, uint16_t bitCount, const TPixelAt& pixel);
// An uncompressed bottom-up bitmap of 1, 4 or 8 bits indexing palette; pixel gives the index.
BmpSpec PalettedBmp(int width, int height, uint16_t bitCount, std::vector<uint32_t> palette,
                    const std::function<uint8_t(int x, int y)>& index);

}  // namespace varimo
