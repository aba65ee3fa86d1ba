#pragma once
// Screenshots as files: an image of 0xRRGGBB pixels, written as BMP or PNG.

#include <cstdint>
#include <string>
#include <vector>

namespace varimo {

struct TImage {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB, rows top to bottom

  uint32_t At(int32_t x, int32_t y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// The file's bytes: PNG when the name ends in ".png" (any case), BMP otherwise.
std::vector<uint8_t> EncodeImage(const TImage& image, const std::string& fileName);
std::vector<uint8_t> EncodeBmp(const TImage& image);
// Uncompressed (stored) deflate blocks: larger than a real encoder's output, but exact
// and without any library.
std::vector<uint8_t> EncodePng(const TImage& image);

// Largest difference of the three colour channels.
int32_t ColorDistance(uint32_t a, uint32_t b);

}  // namespace varimo
