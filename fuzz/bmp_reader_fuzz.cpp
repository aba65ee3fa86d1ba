// Arbitrary bytes as a skin bitmap: the reader decodes within its caps or refuses, and what
// it hands over is whole.
#include <cstdlib>

#include "fakes/memory_files.h"
#include "window/bmp_reader.h"
#include "window/skin.h"

using namespace varimo;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TBmpResult result = DecodeBmp(data, size);
  const TBmpImage& image = result.Image;
  if (result.Status != TBmpStatus::kDecoded) {
    Check(image.Pixels.empty());
  } else {
    Check(image.Width > 0 && image.Height > 0 && image.Width <= kMaxBmpSide &&
          image.Height <= kMaxBmpSide);
    Check(image.Pixels.size() == static_cast<size_t>(image.Width) * image.Height &&
          static_cast<int64_t>(image.Pixels.size()) <= kMaxBmpPixels);
    for (uint32_t pixel : image.Pixels) Check(pixel <= 0xFFFFFF);
  }

  MemoryFiles files;
  files.Add("Text.bmp", std::vector<uint8_t>(data, data + size));
  const std::optional<TBmpImage> glyphs = ReadSkinBitmap(files, "Text.bmp", GlyphBitmapMinimum());
  Check(glyphs.has_value() ==
        (result.Status == TBmpStatus::kDecoded && image.Width >= 155 && image.Height >= 18));
  return 0;
}
