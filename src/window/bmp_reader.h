#pragma once
// Skin bitmaps read by the plug-in itself: a skin comes from anywhere, so a file is checked
// header by header and against its own length before any pixel reaches the system, which
// is given only the decoded pixels to build its bitmap from.
//
// Accepted: the Windows info headers of 40, 52, 56, 108 and 124 bytes and the OS/2 headers
// of 12 and 64 bytes; 1, 4 and 8 bits per pixel with a palette, 16, 24 and 32 bits without
// (16 as 5-5-5, 32 with its top byte ignored); uncompressed rows bottom-up or top-down,
// bit fields on 16 and 32 bits, and run-length coding (RLE8 on 8 bits, RLE4 on 4 bits),
// bottom-up as that coding must be. Refused: anything else, a palette larger than the bits
// can index, bits that start inside the headers or run past the end of the file, a coded
// stream that ends before its last row, and bitmaps larger than the caps below.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varimo {

// A skin bitmap is a few hundred pixels a side; these caps keep a hostile header from
// costing more than 16 MiB of pixels, or 64 MiB-wide rows of arithmetic.
constexpr int32_t kMaxBmpSide = 16384;
constexpr int64_t kMaxBmpPixels = int64_t{4} * 1024 * 1024;
// The largest file a bitmap within the caps takes (32 bits a pixel, the largest headers and
// palette) with room for padding; a larger file is not read at all.
constexpr int64_t kMaxBmpFileBytes = kMaxBmpPixels * 4 + 64 * 1024;

enum class TBmpStatus {
  kDecoded,
  kNotBmp,       // no "BM" file header
  kBadHeader,    // sizes, planes or offsets that no bitmap has
  kUnsupported,  // a header, bit count or compression outside the accepted set
  kTooLarge,     // beyond the caps
  kTruncated,    // the palette or the bits run past the end of the file
};

// Decoded pixels, top row first, each 0x00RRGGBB: the memory layout of a 32-bit
// device-independent bitmap.
struct TBmpImage {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint32_t> Pixels;
};

struct TBmpResult {
  TBmpStatus Status = TBmpStatus::kNotBmp;
  TBmpImage Image;  // filled when Status is kDecoded
};

// Decodes a whole BMP file.
TBmpResult DecodeBmp(const uint8_t* data, size_t size);

}  // namespace varimo
