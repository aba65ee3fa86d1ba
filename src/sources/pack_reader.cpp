#include "sources/pack_reader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "sources/bytes.h"

namespace varimo {
namespace {

constexpr size_t kHeaderSize = 12;

// Reads the directory bytes front to back; every read is checked against the count, so a
// directory shorter than its entries ends the walk rather than reading past it.
class DirectoryCursor {
 public:
  DirectoryCursor(const uint8_t* bytes, size_t count, size_t position)
      : bytes_(bytes), count_(count), position_(position) {}

  // A zero-ended text; false when no zero byte ends it inside the directory.
  bool ReadText(std::string& text) {
    if (position_ >= count_) return false;
    const void* zero = std::memchr(bytes_ + position_, 0, count_ - position_);
    if (zero == nullptr) return false;
    size_t end = static_cast<size_t>(static_cast<const uint8_t*>(zero) - bytes_);
    text.assign(reinterpret_cast<const char*>(bytes_ + position_), end - position_);
    position_ = end + 1;
    return true;
  }

  bool ReadOffset(bool bigEndian, int32_t& offset) {
    if (count_ - position_ < 4) return false;
    const uint8_t* p = bytes_ + position_;
    offset = bigEndian ? ReadUInt32BE(p) : ReadSyncsafe32(p);
    position_ += 4;
    return true;
  }

 private:
  const uint8_t* bytes_;
  size_t count_;
  size_t position_;
};

// The file position of a member offset, or none when the offset cannot be read or the sum
// leaves the range a track record can hold (negative, or past 2 GiB): a wrapped value would
// point the member at bytes that are not its own.
std::optional<int32_t> ReadPosition(DirectoryCursor& cursor, bool bigEndian, int32_t base) {
  int32_t offset = 0;
  if (!cursor.ReadOffset(bigEndian, offset)) return std::nullopt;
  int64_t position = int64_t{base} + offset;
  if (position < 0 || position > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(position);
}

}  // namespace

int32_t GetPackDirectorySize(FileReader& file) {
  uint8_t header[kHeaderSize];
  if (file.ReadAt(file.Position(), header, sizeof header) < sizeof header) return 0;
  return std::max(0, ReadSyncsafe32(header + 4));
}

void ReadPackDirectory(TTrackList& tracks, const uint8_t* directory, size_t count, int32_t base) {
  if (directory == nullptr || count < kHeaderSize) return;
  const int members = directory[8] * 128 + directory[9];
  const bool bigEndian = (directory[11] & 1) != 0;
  if (members == 0) return;

  DirectoryCursor cursor(directory, count, kHeaderSize);
  std::string unused;
  if (!cursor.ReadText(unused)) return;

  // Each member ends where the next one starts and the last one at the end offset, so the
  // walk gathers N + 1 positions; a directory that breaks off leaves the last entry read
  // without an end unless the offset after it was still read.
  TTrackList entries;
  std::vector<int32_t> positions;
  for (int i = 0; i <= members; ++i) {
    std::optional<int32_t> position = ReadPosition(cursor, bigEndian, base);
    if (!position) break;
    positions.push_back(*position);
    if (i == members) break;
    TTrackItem entry;
    if (!cursor.ReadText(entry.FileName) || !cursor.ReadText(entry.Artist) ||
        !cursor.ReadText(entry.Title)) {
      break;
    }
    entry.StartPos = *position;
    entries.push_back(std::move(entry));
  }
  for (size_t i = 0; i < entries.size() && i + 1 < positions.size(); ++i) {
    entries[i].EndPos = positions[i + 1];
    tracks.push_back(std::move(entries[i]));
  }
}

}  // namespace varimo
