#pragma once
// Builds album containers for tests and benchmarks: ZIP archives laid out as Info-ZIP writes
// them, LHA archives with level-2 headers (or the older levels, to test that they are refused)
// and MusicPack 3on3 Pack files.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varimo {

std::vector<uint8_t> BytesOf(std::string_view text);

enum class ZipDescriptor {
  kNone,
  kWithSignature,     // flag bit 3; descriptor "PK" 7 8, CRC-32, sizes
  kWithoutSignature,  // flag bit 3; descriptor CRC-32, sizes
};

struct ZipMemberSpec {
  std::string Name;  // a name ending in "/" with no data is a folder entry
  std::vector<uint8_t> Data;
  bool Deflate = false;        // method 8 in the headers; Data is written as given
  std::vector<uint8_t> Extra;  // the extra field, in the local header and the central entry
  ZipDescriptor Descriptor = ZipDescriptor::kNone;
  // With a descriptor: false writes CRC-32 and sizes 0 in the local header, as a writer
  // does that cannot seek back; true repeats them there.
  bool SizesInLocalHeader = false;
};

// The extra field "zip -0" puts in local headers: extended time stamp "UT" (13 bytes) and
// Unix owner "ux" (15 bytes).
std::vector<uint8_t> InfoZipExtra();

// Local headers with their data (and descriptors), the central directory and its end record.
std::vector<uint8_t> BuildZip(const std::vector<ZipMemberSpec>& members);

struct LhaExtendedHeader {
  uint8_t Type = 0;
  std::vector<uint8_t> Data;  // the bytes between the type and the next header's size
};

struct LhaMemberSpec {
  std::string Name;
  std::vector<uint8_t> Data;
  std::string Method = "-lh0-";  // five bytes; "-lh5-" marks compressed data
  // Level 2: extended headers ahead of the name header, such as LhaCommonHeader().
  std::vector<LhaExtendedHeader> Before;
  bool NameHeader = true;  // level 2: false leaves out the file-name header
  int Level = 2;           // 0 or 1 write those levels' layouts (name in the base header)
};

// The common header (type 0) that LHA writers put first: the header's CRC-16.
LhaExtendedHeader LhaCommonHeader();

// Each member's header and data, then the 0 byte that ends an archive.
std::vector<uint8_t> BuildLha(const std::vector<LhaMemberSpec>& members);

struct PackMemberSpec {
  std::string Name;
  std::string Artist;
  std::string Title;
  std::vector<uint8_t> Data;
};

struct PackSpec {
  std::vector<PackMemberSpec> Members;
  bool BigEndianOffsets = false;  // flag bit 0; clear writes synchsafe offsets
  std::string Comment = "MusicPack";
  // Bytes ahead of the "Pack" header, such as an ID3v2 tag; offsets stay relative to the header.
  std::vector<uint8_t> Leading;
};

// The directory alone, its offsets as if the member data followed it.
std::vector<uint8_t> BuildPackDirectory(const PackSpec& spec);
// Leading bytes, directory and member data.
std::vector<uint8_t> BuildPack(const PackSpec& spec);

}  // namespace varimo
