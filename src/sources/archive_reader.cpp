#include "sources/archive_reader.h"

#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "sources/bytes.h"

namespace varimo {
namespace {

constexpr size_t kZipHeaderSize = 30;
constexpr uint32_t kZipLocalHeader = 0x04034B50;
constexpr uint32_t kZipDataDescriptor = 0x08074B50;
constexpr uint16_t kZipFlagDataDescriptor = 1 << 3;
constexpr int64_t kZipDescriptorSize = 12;  // CRC-32, compressed and original size

constexpr size_t kLhaHeaderSize = 26;
constexpr uint8_t kLhaLevel2 = 2;
constexpr uint8_t kLhaNameHeader = 1;
constexpr size_t kLhaExtendedOverhead = 3;  // type byte and the next header's size

// Hands over the member whose data starts at the position and moves past its data. False,
// with nothing handed over, when the range ends beyond what a track record holds (2 GiB): a
// wrapped position would point the track at another member's bytes. False too when take
// ends the walk.
bool TakeMember(const TMemberTake& take, FileReader& file, uint32_t size, const std::string& name,
                std::string title) {
  int64_t start = file.Position();
  int64_t end = start + size;
  if (end > std::numeric_limits<int32_t>::max()) return false;
  TTrackItem track;
  track.FileName = name;
  track.Title = std::move(title);
  track.StartPos = static_cast<int32_t>(start);
  track.EndPos = static_cast<int32_t>(end);
  bool more = take(std::move(track));
  file.Seek(end);
  return more;
}

TMemberTake AppendTo(TTrackList& tracks) {
  return [&tracks](TTrackItem&& track) {
    tracks.push_back(std::move(track));
    return true;
  };
}

// A member whose sizes were also written after its data (flag bit 3) is followed by that
// descriptor; stepping over it lands on the next local header. Writers may leave out the
// descriptor's signature, so it is looked for rather than assumed.
void SkipDataDescriptor(FileReader& file) {
  uint8_t signature[4];
  bool hasSignature =
      file.ReadAt(file.Position(), signature, sizeof signature) == sizeof signature &&
      ReadUInt32LE(signature) == kZipDataDescriptor;
  file.Skip(kZipDescriptorSize + (hasSignature ? 4 : 0));
}

// The name from the extended header of type 1, following the chain of sizes only while
// each header lies inside the area; empty when there is none.
std::string LhaFileName(const std::vector<uint8_t>& area, size_t size) {
  size_t at = 0;
  while (size >= kLhaExtendedOverhead && size <= area.size() - at) {
    if (area[at] == kLhaNameHeader) {
      const char* name = reinterpret_cast<const char*>(area.data() + at + 1);
      return std::string(name, size - kLhaExtendedOverhead);
    }
    size_t next = ReadUInt16LE(area.data() + at + size - 2);
    at += size;
    size = next;
  }
  return {};
}

}  // namespace

void WalkZipMembers(FileReader& file, const TMemberTake& take) {
  uint8_t header[kZipHeaderSize];
  while (file.Read(header, sizeof header) == sizeof header) {
    if (ReadUInt32LE(header) != kZipLocalHeader) return;
    const uint16_t flags = ReadUInt16LE(header + 6);
    const uint32_t size = ReadUInt32LE(header + 18);
    const uint16_t nameLength = ReadUInt16LE(header + 26);
    const uint16_t extraLength = ReadUInt16LE(header + 28);
    if (size == 0) {
      file.Skip(int64_t{nameLength} + extraLength);
      continue;
    }
    std::string name(nameLength, '\0');
    if (file.Read(reinterpret_cast<uint8_t*>(name.data()), name.size()) < name.size()) return;
    file.Skip(extraLength);
    if (file.Position() > file.Size()) return;  // the extra field is cut off
    if (!TakeMember(take, file, size, name, ZipTitleFromName(name))) return;
    if (flags & kZipFlagDataDescriptor) SkipDataDescriptor(file);
  }
}

void WalkLhaMembers(FileReader& file, const TMemberTake& take) {
  uint8_t header[kLhaHeaderSize];
  while (file.Read(header, sizeof header) == sizeof header) {
    const uint16_t headerSize = ReadUInt16LE(header);
    if (headerSize < kLhaHeaderSize) return;
    if (std::memcmp(header + 2, "-lh0-", 5) != 0) return;
    // Levels 0 and 1 keep other fields in the first bytes; read as level 2 they would
    // misplace every later header.
    if (header[20] != kLhaLevel2) return;
    std::vector<uint8_t> area(headerSize - kLhaHeaderSize);
    if (file.Read(area.data(), area.size()) < area.size()) return;
    std::string name = LhaFileName(area, ReadUInt16LE(header + 24));
    if (!TakeMember(take, file, ReadUInt32LE(header + 7), name, name)) return;
  }
}

void ReadZipDirectory(TTrackList& tracks, FileReader& file) {
  WalkZipMembers(file, AppendTo(tracks));
}

void ReadLhaDirectory(TTrackList& tracks, FileReader& file) {
  WalkLhaMembers(file, AppendTo(tracks));
}

std::string ZipTitleFromName(const std::string& name) {
  std::string_view title = name;
  size_t at = FindLastSeparator(title, "\\:");
  if (at != std::string_view::npos) title.remove_prefix(at + 1);
  at = FindLastSeparator(title, ".");
  if (at != std::string_view::npos) title = title.substr(0, at);
  at = FindLastSeparator(title, "/");
  if (at != std::string_view::npos) title.remove_prefix(at + 1);
  return std::string(title);
}

}  // namespace varimo
