#include "window/bmp_reader.h"

#include <algorithm>

#include "sources/bytes.h"

namespace varimo {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kOs2HeaderSize = 64;
constexpr size_t kMasksSize = 12;

enum Compression : uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
};

bool IsAcceptedHeaderSize(uint32_t size) {
  switch (size) {
    case kCoreHeaderSize:
    case kInfoHeaderSize:
    case 52:
    case 56:
    case kOs2HeaderSize:
    case 108:
    case 124: return true;
    default: return false;
  }
}

// One channel of a bit-field pixel: where its bits sit and how many there are.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;

  // A mask with a gap in it describes no channel a writer would make.
  static bool FromMask(uint32_t mask, TChannel& channel) {
    if (mask == 0) return false;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const uint32_t bits = mask >> shift;
    if ((bits & (bits + 1)) != 0) return false;
    channel = {mask, shift, bits};
    return true;
  }
  uint32_t Value8(uint32_t pixel) const {
    const uint64_t value = (pixel & Mask) >> Shift;
    return static_cast<uint32_t>((value * 255 + Max / 2) / Max);
  }
};

struct TBmpLayout {
  int32_t Width = 0;
  int32_t Height = 0;
  bool TopDown = false;
  uint16_t BitCount = 0;
  uint32_t Compression = kRgb;
  TChannel Channels[3];  // red, green, blue; bit fields only
  std::vector<uint32_t> Palette;
  size_t BitsAt = 0;
  size_t BitsSize = 0;  // the bytes the bits may take, from BitsAt
};

uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
  return (red << 16) | (green << 8) | blue;
}

bool IsAcceptedFormat(uint16_t bitCount, uint32_t compression, bool topDown) {
  switch (compression) {
    case kRgb:
      return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
             bitCount == 32;
    case kRle8: return bitCount == 8 && !topDown;
    case kRle4: return bitCount == 4 && !topDown;
    case kBitFields: return bitCount == 16 || bitCount == 32;
    default: return false;
  }
}

// The headers, the palette and where the bits lie, all checked against the file's length.
TBmpStatus ReadLayout(const uint8_t* data, size_t size, TBmpLayout& layout) {
  if (size < 2 || data[0] != 'B' || data[1] != 'M') return TBmpStatus::kNotBmp;
  if (size < kFileHeaderSize + 4) return TBmpStatus::kTruncated;
  const uint32_t headerSize = ReadUInt32LE(data + kFileHeaderSize);
  if (!IsAcceptedHeaderSize(headerSize)) return TBmpStatus::kUnsupported;
  if (size < kFileHeaderSize + headerSize) return TBmpStatus::kTruncated;
  const uint8_t* h = data + kFileHeaderSize;

  int64_t width = 0;
  int64_t height = 0;
  uint16_t planes = 0;
  uint32_t colorsUsed = 0;
  uint32_t imageSize = 0;
  size_t entrySize = 4;
  if (headerSize == kCoreHeaderSize) {
    width = ReadUInt16LE(h + 4);
    height = ReadUInt16LE(h + 6);
    planes = ReadUInt16LE(h + 8);
    layout.BitCount = ReadUInt16LE(h + 10);
    layout.Compression = kRgb;
    entrySize = 3;
  } else {
    width = static_cast<int32_t>(ReadUInt32LE(h + 4));
    height = static_cast<int32_t>(ReadUInt32LE(h + 8));
    planes = ReadUInt16LE(h + 12);
    layout.BitCount = ReadUInt16LE(h + 14);
    layout.Compression = ReadUInt32LE(h + 16);
    imageSize = ReadUInt32LE(h + 20);
    colorsUsed = ReadUInt32LE(h + 32);
    // The OS/2 header numbers its codings differently past the run-length ones.
    if (headerSize == kOs2HeaderSize && layout.Compression > kRle4) return TBmpStatus::kUnsupported;
  }
  if (planes != 1 || width <= 0 || height == 0) return TBmpStatus::kBadHeader;
  layout.TopDown = height < 0;
  height = height < 0 ? -height : height;
  if (width > kMaxBmpSide || height > kMaxBmpSide || width * height > kMaxBmpPixels) {
    return TBmpStatus::kTooLarge;
  }
  layout.Width = static_cast<int32_t>(width);
  layout.Height = static_cast<int32_t>(height);
  if (!IsAcceptedFormat(layout.BitCount, layout.Compression, layout.TopDown)) {
    return TBmpStatus::kUnsupported;
  }

  size_t paletteAt = kFileHeaderSize + headerSize;
  if (layout.Compression == kBitFields) {
    // The 40-byte header is followed by the three masks; the longer ones hold them.
    const uint8_t* masks = h + kInfoHeaderSize;
    if (headerSize == kInfoHeaderSize) {
      if (size < paletteAt + kMasksSize) return TBmpStatus::kTruncated;
      paletteAt += kMasksSize;
    }
    for (int i = 0; i < 3; ++i) {
      if (!TChannel::FromMask(ReadUInt32LE(masks + 4 * i), layout.Channels[i])) {
        return TBmpStatus::kBadHeader;
      }
    }
  }

  // Bits of 8 or fewer index a palette; above that a palette is only a hint for the screen,
  // but it still lies between the headers and the bits.
  const uint64_t indexable = layout.BitCount <= 8 ? uint64_t{1} << layout.BitCount : 0;
  uint64_t entries = colorsUsed == 0 ? indexable : colorsUsed;
  if (layout.BitCount <= 8 && entries > indexable) return TBmpStatus::kBadHeader;
  const uint64_t paletteEnd = paletteAt + entries * entrySize;
  if (paletteEnd > size) return TBmpStatus::kTruncated;
  if (layout.BitCount <= 8) {
    layout.Palette.assign(static_cast<size_t>(indexable), 0);
    for (size_t i = 0; i < entries; ++i) {
      const uint8_t* entry = data + paletteAt + i * entrySize;
      layout.Palette[i] = Rgb(entry[2], entry[1], entry[0]);
    }
  }

  const uint32_t offset = ReadUInt32LE(data + 10);
  if (offset != 0 && offset < paletteEnd) return TBmpStatus::kBadHeader;
  layout.BitsAt = offset == 0 ? static_cast<size_t>(paletteEnd) : offset;
  if (layout.BitsAt > size) return TBmpStatus::kTruncated;
  const size_t available = size - layout.BitsAt;
  if (layout.Compression == kRle8 || layout.Compression == kRle4) {
    if (imageSize > available) return TBmpStatus::kTruncated;
    layout.BitsSize = imageSize == 0 ? available : imageSize;
  } else {
    const uint64_t stride = (static_cast<uint64_t>(width) * layout.BitCount + 31) / 32 * 4;
    const uint64_t needed = stride * static_cast<uint64_t>(height);
    if (needed > available) return TBmpStatus::kTruncated;
    layout.BitsSize = static_cast<size_t>(needed);
  }
  return TBmpStatus::kDecoded;
}

uint32_t PixelOfRow(const TBmpLayout& layout, const uint8_t* row, int32_t x) {
  switch (layout.BitCount) {
    case 1:
    case 4:
    case 8: {
      const uint32_t bit = static_cast<uint32_t>(x) * layout.BitCount;
      const uint32_t index =
          (row[bit / 8] >> (8 - layout.BitCount - bit % 8)) & ((1u << layout.BitCount) - 1);
      return layout.Palette[index];
    }
    case 16: {
      const uint32_t v = ReadUInt16LE(row + 2 * x);
      if (layout.Compression == kBitFields) {
        return Rgb(layout.Channels[0].Value8(v), layout.Channels[1].Value8(v),
                   layout.Channels[2].Value8(v));
      }
      auto five = [](uint32_t c) { return (c << 3) | (c >> 2); };
      return Rgb(five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31));
    }
    case 24: {
      const uint8_t* p = row + 3 * x;
      return Rgb(p[2], p[1], p[0]);
    }
    default: {
      const uint32_t v = ReadUInt32LE(row + 4 * x);
      if (layout.Compression == kBitFields) {
        return Rgb(layout.Channels[0].Value8(v), layout.Channels[1].Value8(v),
                   layout.Channels[2].Value8(v));
      }
      return v & 0xFFFFFF;
    }
  }
}

void DecodeRows(const uint8_t* data, const TBmpLayout& layout, TBmpImage& image) {
  const size_t stride = (static_cast<size_t>(layout.Width) * layout.BitCount + 31) / 32 * 4;
  for (int32_t y = 0; y < layout.Height; ++y) {
    const int32_t fileRow = layout.TopDown ? y : layout.Height - 1 - y;
    const uint8_t* row = data + layout.BitsAt + stride * static_cast<size_t>(fileRow);
    uint32_t* out = image.Pixels.data() + static_cast<size_t>(y) * layout.Width;
    for (int32_t x = 0; x < layout.Width; ++x) out[x] = PixelOfRow(layout, row, x);
  }
}

// Run-length coded bits, rows from the bottom up. Pixels the stream skips stay black. Runs
// are clipped at the row's end, so a stream costs at most its length plus the pixels it
// draws, whatever its runs claim.
bool DecodeRunLengths(const uint8_t* data, const TBmpLayout& layout, TBmpImage& image) {
  const bool nibbles = layout.Compression == kRle4;
  const uint8_t* p = data + layout.BitsAt;
  const uint8_t* end = p + layout.BitsSize;
  int64_t x = 0;
  int64_t y = 0;
  auto put = [&](int64_t count, auto indexOf) {
    if (y < layout.Height && x < layout.Width) {
      uint32_t* row =
          image.Pixels.data() + static_cast<size_t>(layout.Height - 1 - y) * layout.Width;
      const int64_t visible = std::min<int64_t>(count, layout.Width - x);
      for (int64_t k = 0; k < visible; ++k) row[x + k] = layout.Palette[indexOf(k)];
    }
    x += count;
  };
  while (y < layout.Height) {
    // A stream may stop at its last row without the closing marks; earlier it is cut short.
    if (end - p < 2) return y >= layout.Height - 1;
    const uint8_t count = p[0];
    const uint8_t value = p[1];
    p += 2;
    if (count > 0) {
      put(count,
          [&](int64_t k) { return nibbles ? (k % 2 == 0 ? value >> 4 : value & 15) : value; });
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (end - p < 2) return y >= layout.Height - 1;
      x += p[0];
      y += p[1];
      p += 2;
    } else {
      const int64_t bytes = nibbles ? (value + 1) / 2 : value;
      const int64_t padded = (bytes + 1) / 2 * 2;
      if (end - p < padded) return y >= layout.Height - 1;
      const uint8_t* run = p;
      put(value, [&](int64_t k) {
        return nibbles ? (k % 2 == 0 ? run[k / 2] >> 4 : run[k / 2] & 15) : run[k];
      });
      p += padded;
    }
  }
  return true;
}

}  // namespace

TBmpResult DecodeBmp(const uint8_t* data, size_t size) {
  TBmpResult result;
  TBmpLayout layout;
  result.Status = ReadLayout(data, size, layout);
  if (result.Status != TBmpStatus::kDecoded) return result;
  TBmpImage& image = result.Image;
  image.Width = layout.Width;
  image.Height = layout.Height;
  image.Pixels.assign(static_cast<size_t>(layout.Width) * layout.Height, 0);
  if (layout.Compression == kRle8 || layout.Compression == kRle4) {
    if (!DecodeRunLengths(data, layout, image)) {
      result.Status = TBmpStatus::kTruncated;
      result.Image = {};
    }
  } else {
    DecodeRows(data, layout, image);
  }
  return result;
}

}  // namespace varimo
