#include "support/container_builder.h"

namespace varimo {
namespace {

using Bytes = std::vector<uint8_t>;

void Append(Bytes& out, const Bytes& bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}
void Append(Bytes& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}

void PutLE(Bytes& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutBE32(Bytes& out, uint32_t value) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutSyncsafe32(Bytes& out, uint32_t value) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>((value >> (7 * i)) & 0x7F));
}

uint32_t Crc32(const Bytes& data) {
  uint32_t crc = 0xFFFFFFFF;
  for (uint8_t b : data) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

// 2001-07-01 12:00:00 as DOS time and date, and as Unix time.
constexpr uint16_t kDosTime = 12 << 11;
constexpr uint16_t kDosDate = ((2001 - 1980) << 9) | (7 << 5) | 1;
constexpr uint32_t kUnixTime = 993988800;

constexpr uint16_t kZipFlagDataDescriptor = 1 << 3;

struct ZipFields {
  uint16_t Version;
  uint16_t Flags;
  uint16_t Method;
  uint32_t Crc;
  uint32_t Size;
};

ZipFields FieldsOf(const ZipMemberSpec& m) {
  bool descriptor = m.Descriptor != ZipDescriptor::kNone;
  return {static_cast<uint16_t>(m.Deflate ? 20 : 10),
          static_cast<uint16_t>(descriptor ? kZipFlagDataDescriptor : 0),
          static_cast<uint16_t>(m.Deflate ? 8 : 0), Crc32(m.Data),
          static_cast<uint32_t>(m.Data.size())};
}

void PutZipCommon(Bytes& out, const ZipFields& f, uint32_t crc, uint32_t size) {
  PutLE(out, f.Version, 2);
  PutLE(out, f.Flags, 2);
  PutLE(out, f.Method, 2);
  PutLE(out, kDosTime, 2);
  PutLE(out, kDosDate, 2);
  PutLE(out, crc, 4);
  PutLE(out, size, 4);  // compressed: the data is written as given
  PutLE(out, size, 4);
}

void PutZipLocal(Bytes& out, const ZipMemberSpec& m) {
  ZipFields f = FieldsOf(m);
  bool zeroSizes = m.Descriptor != ZipDescriptor::kNone && !m.SizesInLocalHeader;
  PutLE(out, 0x04034B50, 4);
  PutZipCommon(out, f, zeroSizes ? 0 : f.Crc, zeroSizes ? 0 : f.Size);
  PutLE(out, static_cast<uint32_t>(m.Name.size()), 2);
  PutLE(out, static_cast<uint32_t>(m.Extra.size()), 2);
  Append(out, m.Name);
  Append(out, m.Extra);
  Append(out, m.Data);
  if (m.Descriptor == ZipDescriptor::kNone) return;
  if (m.Descriptor == ZipDescriptor::kWithSignature) PutLE(out, 0x08074B50, 4);
  PutLE(out, f.Crc, 4);
  PutLE(out, f.Size, 4);
  PutLE(out, f.Size, 4);
}

void PutZipCentral(Bytes& out, const ZipMemberSpec& m, uint32_t localOffset) {
  ZipFields f = FieldsOf(m);
  bool folder = !m.Name.empty() && m.Name.back() == '/';
  PutLE(out, 0x02014B50, 4);
  PutLE(out, 0x031E, 2);  // made by Unix, version 3.0
  PutZipCommon(out, f, f.Crc, f.Size);
  PutLE(out, static_cast<uint32_t>(m.Name.size()), 2);
  PutLE(out, static_cast<uint32_t>(m.Extra.size()), 2);
  PutLE(out, 0, 2);  // comment length
  PutLE(out, 0, 2);  // disk number
  PutLE(out, 0, 2);  // internal attributes
  PutLE(out, folder ? 0x41ED0010 : 0x81A40000, 4);
  PutLE(out, localOffset, 4);
  Append(out, m.Name);
  Append(out, m.Extra);
}

void PutLhaExtended(Bytes& out, uint8_t type, const Bytes& data, size_t nextSize) {
  out.push_back(type);
  Append(out, data);
  PutLE(out, static_cast<uint32_t>(nextSize), 2);
}

size_t ExtendedSize(const LhaExtendedHeader& h) {
  return 1 + h.Data.size() + 2;
}

void PutLhaLevel2(Bytes& out, const LhaMemberSpec& m) {
  std::vector<LhaExtendedHeader> extended = m.Before;
  if (m.NameHeader) extended.push_back({1, BytesOf(m.Name)});
  size_t headerSize = 26;
  for (const LhaExtendedHeader& h : extended) headerSize += ExtendedSize(h);
  PutLE(out, static_cast<uint32_t>(headerSize), 2);
  Append(out, std::string_view(m.Method).substr(0, 5));
  PutLE(out, static_cast<uint32_t>(m.Data.size()), 4);
  PutLE(out, static_cast<uint32_t>(m.Data.size()), 4);
  PutLE(out, kUnixTime, 4);
  out.push_back(0x20);  // reserved
  out.push_back(2);     // level
  PutLE(out, 0, 2);     // CRC-16 of the data
  out.push_back('U');   // operating system
  PutLE(out, static_cast<uint32_t>(extended.empty() ? 0 : ExtendedSize(extended[0])), 2);
  for (size_t i = 0; i < extended.size(); ++i) {
    size_t next = i + 1 < extended.size() ? ExtendedSize(extended[i + 1]) : 0;
    PutLhaExtended(out, extended[i].Type, extended[i].Data, next);
  }
  Append(out, m.Data);
}

// Levels 0 and 1 start with a one-byte header size and a checksum of the header bytes after
// them, and carry the name in the base header.
void PutLhaLevel0Or1(Bytes& out, const LhaMemberSpec& m) {
  Bytes h;
  Append(h, std::string_view(m.Method).substr(0, 5));
  PutLE(h, static_cast<uint32_t>(m.Data.size()), 4);
  PutLE(h, static_cast<uint32_t>(m.Data.size()), 4);
  PutLE(h, static_cast<uint32_t>(kDosTime) | (uint32_t{kDosDate} << 16), 4);
  h.push_back(0x20);
  h.push_back(static_cast<uint8_t>(m.Level));
  h.push_back(static_cast<uint8_t>(m.Name.size()));
  Append(h, m.Name);
  PutLE(h, 0, 2);  // CRC-16 of the data
  if (m.Level == 1) {
    h.push_back('U');
    PutLE(h, 0, 2);  // no extended headers
  }
  uint8_t sum = 0;
  for (uint8_t b : h) sum = static_cast<uint8_t>(sum + b);
  out.push_back(static_cast<uint8_t>(h.size()));
  out.push_back(sum);
  Append(out, h);
  Append(out, m.Data);
}

}  // namespace

std::vector<uint8_t> BytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

std::vector<uint8_t> InfoZipExtra() {
  Bytes extra;
  PutLE(extra, 0x5455, 2);  // "UT"
  PutLE(extra, 9, 2);
  extra.push_back(0x03);  // modification and access time follow
  PutLE(extra, kUnixTime, 4);
  PutLE(extra, kUnixTime, 4);
  PutLE(extra, 0x7875, 2);  // "ux"
  PutLE(extra, 11, 2);
  extra.push_back(1);  // version
  extra.push_back(4);
  PutLE(extra, 1000, 4);  // user id
  extra.push_back(4);
  PutLE(extra, 1000, 4);  // group id
  return extra;
}

std::vector<uint8_t> BuildZip(const std::vector<ZipMemberSpec>& members) {
  Bytes out;
  std::vector<uint32_t> offsets;
  for (const ZipMemberSpec& m : members) {
    offsets.push_back(static_cast<uint32_t>(out.size()));
    PutZipLocal(out, m);
  }
  uint32_t centralStart = static_cast<uint32_t>(out.size());
  for (size_t i = 0; i < members.size(); ++i) PutZipCentral(out, members[i], offsets[i]);
  uint32_t centralSize = static_cast<uint32_t>(out.size()) - centralStart;
  PutLE(out, 0x06054B50, 4);
  PutLE(out, 0, 2);  // this disk
  PutLE(out, 0, 2);  // disk of the central directory
  PutLE(out, static_cast<uint32_t>(members.size()), 2);
  PutLE(out, static_cast<uint32_t>(members.size()), 2);
  PutLE(out, centralSize, 4);
  PutLE(out, centralStart, 4);
  PutLE(out, 0, 2);  // comment length
  return out;
}

LhaExtendedHeader LhaCommonHeader() {
  return {0, {0x00, 0x00}};
}

std::vector<uint8_t> BuildLha(const std::vector<LhaMemberSpec>& members) {
  Bytes out;
  for (const LhaMemberSpec& m : members) {
    if (m.Level == 2) {
      PutLhaLevel2(out, m);
    } else {
      PutLhaLevel0Or1(out, m);
    }
  }
  out.push_back(0);
  return out;
}

std::vector<uint8_t> BuildPackDirectory(const PackSpec& spec) {
  size_t size = 12 + spec.Comment.size() + 1 + 4;
  for (const PackMemberSpec& m : spec.Members) {
    size += 4 + m.Name.size() + 1 + m.Artist.size() + 1 + m.Title.size() + 1;
  }
  auto putOffset = [&](Bytes& out, size_t offset) {
    if (spec.BigEndianOffsets) {
      PutBE32(out, static_cast<uint32_t>(offset));
    } else {
      PutSyncsafe32(out, static_cast<uint32_t>(offset));
    }
  };
  Bytes out;
  Append(out, "Pack");
  PutSyncsafe32(out, static_cast<uint32_t>(size));
  out.push_back(static_cast<uint8_t>(spec.Members.size() / 128));
  out.push_back(static_cast<uint8_t>(spec.Members.size() % 128));
  out.push_back(0);
  out.push_back(spec.BigEndianOffsets ? 1 : 0);
  Append(out, spec.Comment);
  out.push_back(0);
  size_t offset = size;
  for (const PackMemberSpec& m : spec.Members) {
    putOffset(out, offset);
    for (const std::string* text : {&m.Name, &m.Artist, &m.Title}) {
      Append(out, *text);
      out.push_back(0);
    }
    offset += m.Data.size();
  }
  putOffset(out, offset);
  return out;
}

std::vector<uint8_t> BuildPack(const PackSpec& spec) {
  Bytes out = spec.Leading;
  Append(out, BuildPackDirectory(spec));
  for (const PackMemberSpec& m : spec.Members) Append(out, m.Data);
  return out;
}

}  // namespace varimo
