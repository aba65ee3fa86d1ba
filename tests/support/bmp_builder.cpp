#include "support/bmp_builder.h"

namespace varimo {
namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

size_t Stride(int width, int bitCount) {
  return (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
}

}  // namespace

std::vector<uint8_t> BuildBmp(const BmpSpec& spec) {
  std::vector<uint8_t> info;
  if (spec.HeaderSize == 12) {
    Put(info, 12, 4);
    Put(info, static_cast<uint32_t>(spec.Width), 2);
    Put(info, static_cast<uint32_t>(spec.Height), 2);
    Put(info, spec.Planes, 2);
    Put(info, spec.BitCount, 2);
  } else {
    Put(info, spec.HeaderSize, 4);
    Put(info, static_cast<uint32_t>(spec.Width), 4);
    Put(info, static_cast<uint32_t>(spec.Height), 4);
    Put(info, spec.Planes, 2);
    Put(info, spec.BitCount, 2);
    Put(info, spec.Compression, 4);
    Put(info, spec.ImageSize, 4);
    Put(info, 2835, 4);
    Put(info, 2835, 4);
    Put(info, spec.ColorsUsed, 4);
    Put(info, 0, 4);
    if (spec.HeaderSize > 40) {
      for (size_t i = 0; i < 4; ++i) Put(info, i < spec.Masks.size() ? spec.Masks[i] : 0, 4);
    }
    info.resize(spec.HeaderSize, 0);
    if (spec.HeaderSize == 40) {
      for (uint32_t mask : spec.Masks) Put(info, mask, 4);
    }
  }
  for (uint32_t color : spec.Palette) {
    Put(info, color & 0xFF, 1);
    Put(info, (color >> 8) & 0xFF, 1);
    Put(info, (color >> 16) & 0xFF, 1);
    if (spec.HeaderSize != 12) Put(info, 0, 1);
  }
  const uint32_t offset = spec.BitsOffset.value_or(static_cast<uint32_t>(14 + info.size()));
  std::vector<uint8_t> file = {'B', 'M'};
  Put(file, static_cast<uint32_t>(14 + info.size() + spec.Bits.size()), 4);
  Put(file, 0, 4);
  Put(file, offset, 4);
  file.insert(file.end(), info.begin(), info.end());
  if (offset > file.size()) file.resize(offset, 0);
  file.insert(file.end(), spec.Bits.begin(), spec.Bits.end());
  return file;
}

BmpSpec TrueColorBmp(int width, int height, uint16_t bitCount, const TPixelAt& pixel) {
  BmpSpec spec;
  spec.Width = width;
  spec.Height = height;
  spec.BitCount = bitCount;
  const size_t stride = Stride(width, bitCount);
  for (int y = height - 1; y >= 0; --y) {
    const size_t rowStart = spec.Bits.size();
    for (int x = 0; x < width; ++x) Put(spec.Bits, pixel(x, y), bitCount / 8);
    spec.Bits.resize(rowStart + stride, 0);
  }
  return spec;
}

BmpSpec PalettedBmp(int width, int height, uint16_t bitCount, std::vector<uint32_t> palette,
                    const std::function<uint8_t(int x, int y)>& index) {
  BmpSpec spec;
  spec.Width = width;
  spec.Height = height;
  spec.BitCount = bitCount;
  spec.Palette = std::move(palette);
  spec.ColorsUsed = static_cast<uint32_t>(spec.Palette.size());
  const size_t stride = Stride(width, bitCount);
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < width; ++x) {
      const size_t bit = static_cast<size_t>(x) * bitCount;
      row[bit / 8] |= static_cast<uint8_t>(index(x, y) << (8 - bitCount - bit % 8));
    }
    spec.Bits.insert(spec.Bits.end(), row.begin(), row.end());
  }
  return spec;
}

}  // namespace varimo
