#pragma once
// The albums' memory: the exclusions, the current track and the place in it of every album
// file the host left, kept while the AlbumMemory option is on, so that an album that comes
// back is as it was left. The records live in memory; the store file is read once and
// written when a record changed.

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "settings/album_store.h"

namespace varimo {

struct TVarimo;
struct TPorts;

// The least recently used album goes first beyond this many.
constexpr size_t kMaxAlbumRecords = 1000;

class AlbumMemory {
 public:
  // The records as read, the most recently used first; beyond kMaxAlbumRecords, and a second
  // record of a path, are dropped.
  void Reset(std::vector<TAlbumRecord> records);

  // The record of the album file while it still describes that file: the same file size and
  // the same number of tracks. A record of the path that does not is dropped. A record found
  // becomes the most recently used.
  const TAlbumRecord* Match(const std::string& path, int64_t fileSize, int32_t trackCount);
  // Keeps the record as the most recently used. An album as every build leaves it (nothing
  // excluded, the first track current, no place kept) needs no record: its record goes.
  // True when what the memory holds changed.
  bool Remember(TAlbumRecord record);

  // The records, the most recently used first.
  std::vector<TAlbumRecord> Records() const;
  size_t Size() const { return records_.size(); }

  // The records were read (or found missing); until then nothing is kept or found.
  bool Loaded = false;
  // A record changed since the store file was last written.
  bool Changed = false;

 private:
  void Drop(std::list<TAlbumRecord>::iterator it);

  std::list<TAlbumRecord> records_;
  std::unordered_map<std::string, std::list<TAlbumRecord>::iterator> byPath_;
};

// Reads the store file when the memory is on and it was not read yet.
void LoadAlbumMemory(TVarimo& varimo, TPorts& ports);
// With the memory on, keeps what the album file being left looks like now, and writes the
// store file when that changed anything.
void RememberAlbum(TVarimo& varimo, TPorts& ports);

}  // namespace varimo
