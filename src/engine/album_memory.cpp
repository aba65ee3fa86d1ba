#include "engine/album_memory.h"

#include <utility>

#include "engine/varimo_context.h"

namespace varimo {
namespace {

bool IsAsBuilt(const TAlbumRecord& record) {
  return record.CurrentIndex == 0 && record.PositionMS < 0 &&
         record.Exclusions.find('0') == std::string::npos;
}

TAlbumRecord RecordOf(const TAlbumState& album) {
  TAlbumRecord record;
  record.Path = album.AlbumFile;
  record.FileSize = album.FileSize;
  record.TrackCount = static_cast<int32_t>(album.Tracks.size());
  record.Exclusions = ExclusionString(album.Tracks);
  record.CurrentIndex = album.CurrentIndex;
  if (album.PlaceMS >= 0) {
    const int32_t offset = album.PlaceMS - album.Tracks[album.CurrentIndex].StartMS;
    record.PositionMS = offset >= 0 ? offset : -1;
  }
  return record;
}

}  // namespace

void AlbumMemory::Drop(std::list<TAlbumRecord>::iterator it) {
  byPath_.erase(it->Path);
  records_.erase(it);
  Changed = true;
}

void AlbumMemory::Reset(std::vector<TAlbumRecord> records) {
  records_.clear();
  byPath_.clear();
  for (TAlbumRecord& record : records) {
    if (records_.size() == kMaxAlbumRecords) break;
    if (byPath_.count(record.Path) != 0) continue;
    records_.push_back(std::move(record));
    byPath_.emplace(records_.back().Path, std::prev(records_.end()));
  }
  Changed = false;
}

const TAlbumRecord* AlbumMemory::Match(const std::string& path, int64_t fileSize,
                                       int32_t trackCount) {
  auto found = byPath_.find(path);
  if (found == byPath_.end()) return nullptr;
  auto it = found->second;
  if (it->FileSize != fileSize || it->TrackCount != trackCount) {
    // Another file under the old name: its marks would land on the wrong tracks.
    Drop(it);
    return nullptr;
  }
  records_.splice(records_.begin(), records_, it);
  return &*it;
}

bool AlbumMemory::Remember(TAlbumRecord record) {
  auto found = byPath_.find(record.Path);
  if (IsAsBuilt(record)) {
    if (found == byPath_.end()) return false;
    Drop(found->second);
    return true;
  }
  if (found != byPath_.end()) {
    auto it = found->second;
    records_.splice(records_.begin(), records_, it);
    if (*it == record) return false;
    *it = std::move(record);
  } else {
    records_.push_front(std::move(record));
    byPath_.emplace(records_.front().Path, records_.begin());
    if (records_.size() > kMaxAlbumRecords) Drop(std::prev(records_.end()));
  }
  Changed = true;
  return true;
}

std::vector<TAlbumRecord> AlbumMemory::Records() const {
  return std::vector<TAlbumRecord>(records_.begin(), records_.end());
}

void LoadAlbumMemory(TVarimo& varimo, TPorts& ports) {
  AlbumMemory& memory = varimo.Albums;
  if (!varimo.Settings.Option.AlbumMemory || memory.Loaded || ports.AlbumStore == nullptr) return;
  std::vector<TAlbumRecord> records;
  ports.AlbumStore->Load(records);
  memory.Reset(std::move(records));
  memory.Loaded = true;
}

void RememberAlbum(TVarimo& varimo, TPorts& ports) {
  AlbumMemory& memory = varimo.Albums;
  const TAlbumState& album = varimo.Album;
  if (!varimo.Settings.Option.AlbumMemory || !memory.Loaded || album.Tracks.empty()) return;
  if (album.CurrentIndex < 0 || album.CurrentIndex >= static_cast<int32_t>(album.Tracks.size())) {
    return;
  }
  memory.Remember(RecordOf(album));
  // A write that failed is tried again with the next change.
  if (memory.Changed && ports.AlbumStore != nullptr && ports.AlbumStore->Save(memory.Records())) {
    memory.Changed = false;
  }
}

}  // namespace varimo
