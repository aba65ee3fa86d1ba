#include "image_file.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace varimo {
namespace {

void PutUInt16LE(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutUInt32LE(std::vector<uint8_t>& out, uint32_t value) {
  PutUInt16LE(out, value & 0xFFFF);
  PutUInt16LE(out, value >> 16);
}

void PutUInt32BE(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
  uint32_t a = 1;
  uint32_t b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutUInt32BE(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutUInt32BE(out, Crc32(out.data() + start, out.size() - start));
}

bool EndsWithPng(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return tail == ".png";
}

}  // namespace

std::vector<uint8_t> EncodeImage(const TImage& image, const std::string& fileName) {
  return EndsWithPng(fileName) ? EncodePng(image) : EncodeBmp(image);
}

std::vector<uint8_t> EncodeBmp(const TImage& image) {
  uint32_t rowSize = (static_cast<uint32_t>(image.Width) * 3 + 3) & ~3u;
  uint32_t pixelBytes = rowSize * static_cast<uint32_t>(image.Height);
  std::vector<uint8_t> out;
  out.reserve(54 + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutUInt32LE(out, 54 + pixelBytes);
  PutUInt32LE(out, 0);
  PutUInt32LE(out, 54);
  PutUInt32LE(out, 40);
  PutUInt32LE(out, static_cast<uint32_t>(image.Width));
  PutUInt32LE(out, static_cast<uint32_t>(image.Height));  // positive: rows bottom up
  PutUInt16LE(out, 1);
  PutUInt16LE(out, 24);
  for (int i = 0; i < 6; ++i) PutUInt32LE(out, 0);
  for (int32_t y = image.Height - 1; y >= 0; --y) {
    size_t rowStart = out.size();
    for (int32_t x = 0; x < image.Width; ++x) {
      uint32_t rgb = image.At(x, y);
      out.push_back(static_cast<uint8_t>(rgb));
      out.push_back(static_cast<uint8_t>(rgb >> 8));
      out.push_back(static_cast<uint8_t>(rgb >> 16));
    }
    out.resize(rowStart + rowSize, 0);
  }
  return out;
}

std::vector<uint8_t> EncodePng(const TImage& image) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(image.Height) * (1 + 3 * static_cast<size_t>(image.Width)));
  for (int32_t y = 0; y < image.Height; ++y) {
    raw.push_back(0);  // filter: none
    for (int32_t x = 0; x < image.Width; ++x) {
      uint32_t rgb = image.At(x, y);
      raw.push_back(static_cast<uint8_t>(rgb >> 16));
      raw.push_back(static_cast<uint8_t>(rgb >> 8));
      raw.push_back(static_cast<uint8_t>(rgb));
    }
  }
  std::vector<uint8_t> zlib = {0x78, 0x01};
  constexpr size_t kMaxStored = 65535;
  size_t offset = 0;
  do {
    size_t size = std::min(kMaxStored, raw.size() - offset);
    bool last = offset + size == raw.size();
    zlib.push_back(last ? 1 : 0);
    PutUInt16LE(zlib, static_cast<uint32_t>(size));
    PutUInt16LE(zlib, static_cast<uint32_t>(~size & 0xFFFF));
    zlib.insert(zlib.end(), raw.begin() + offset, raw.begin() + offset + size);
    offset += size;
  } while (offset < raw.size());
  PutUInt32BE(zlib, Adler32(raw));

  std::vector<uint8_t> header;
  PutUInt32BE(header, static_cast<uint32_t>(image.Width));
  PutUInt32BE(header, static_cast<uint32_t>(image.Height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", zlib);
  PutChunk(out, "IEND", {});
  return out;
}

int32_t ColorDistance(uint32_t a, uint32_t b) {
  int32_t distance = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    int32_t ca = (a >> shift) & 0xFF;
    int32_t cb = (b >> shift) & 0xFF;
    distance = std::max(distance, std::abs(ca - cb));
  }
  return distance;
}

}  // namespace varimo
