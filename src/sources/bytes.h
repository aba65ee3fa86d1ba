#pragma once
// Checked reads of numbers from byte spans; the names carry the byte order.

#include <cstddef>
#include <cstdint>

namespace varimo {

inline int32_t ReadUInt32BE(const uint8_t* p) {
  return static_cast<int32_t>((uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) |
                              (uint32_t{p[2]} << 8) | uint32_t{p[3]});
}

// Seven bits per byte, most significant first. Each byte counts as a signed 8-bit value,
// so a malformed byte of 0x80 or more lowers the result instead of being masked.
inline int32_t ReadSyncsafe32(const uint8_t* p) {
  auto s = [](uint8_t b) { return static_cast<int32_t>(static_cast<int8_t>(b)); };
  return s(p[0]) * (1 << 21) + s(p[1]) * (1 << 14) + s(p[2]) * (1 << 7) + s(p[3]);
}

inline uint16_t ReadUInt16BE(const uint8_t* p) {
  return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

inline uint16_t ReadUInt16LE(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadUInt32LE(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

}  // namespace varimo
