#pragma once
// The albums' store on disk: what is kept of each album file the host left, in a text file of
// its own beside the settings file, one section per album. It is read once and replaced whole
// through the replace port, as the settings file is.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/files.h"

namespace varimo {

// What is kept of one album file.
struct TAlbumRecord {
  std::string Path;         // as the host gave it, any bytes
  int64_t FileSize = 0;     // the record holds only while the file keeps its size...
  int32_t TrackCount = 0;   // ...and its number of tracks
  std::string Exclusions;   // "0" excluded, "1" otherwise, one per track
  int32_t CurrentIndex = 0;
  int32_t PositionMS = -1;  // within the current track; -1 when playback was not there

  bool operator==(const TAlbumRecord& other) const;
  bool operator!=(const TAlbumRecord& other) const { return !(*this == other); }
};

// A store of a thousand albums is some hundred kilobytes; a larger file is not ours to read.
constexpr int64_t kMaxAlbumStoreBytes = 4 << 20;

// The file's text for the records in their order (the most recently used first), with as
// many of them as fit in kMaxAlbumStoreBytes.
std::string FormatAlbumRecords(const std::vector<TAlbumRecord>& records);
// The records of a text FormatAlbumRecords wrote; nothing when any line of it is not one that
// it writes.
std::optional<std::vector<TAlbumRecord>> ParseAlbumRecords(std::string_view text);

// A path as the store keeps it on one line: "%", control bytes and DEL as "%XX".
std::string EscapeStoreValue(std::string_view value);
// Nothing for a "%" not followed by two hexadecimal digits.
std::optional<std::string> UnescapeStoreValue(std::string_view stored);

// The store file: its path, whether it was read, and whether it may be written.
class AlbumStoreFile {
 public:
  enum class TLoad {
    kMissing,     // no file yet: the store starts empty
    kLoaded,
    kSetAside,    // garbled or too large: moved to the name ".bad" gives, the store starts empty
    kUnreadable,  // there but not readable, or not movable aside: kept, and never written
  };

  AlbumStoreFile(IFiles& files, IFileReplacer& replacer, std::string path);

  // Reads the file into records. Only the first call reads; later ones return its result and
  // leave records as they are.
  TLoad Load(std::vector<TAlbumRecord>& records);
  // Replaces the file with the records; false when it could not, or may not (never loaded, or
  // loaded as kUnreadable).
  bool Save(const std::vector<TAlbumRecord>& records);

  bool Loaded() const { return loaded_; }
  bool Writable() const { return writable_; }
  const std::string& Path() const { return path_; }
  std::string SetAsidePath() const { return path_ + ".bad"; }

 private:
  IFiles& files_;
  IFileReplacer& replacer_;
  std::string path_;
  bool loaded_ = false;
  bool writable_ = false;
  TLoad result_ = TLoad::kMissing;
};

}  // namespace varimo
