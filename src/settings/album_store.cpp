#include "settings/album_store.h"

#include <charconv>
#include <utility>

namespace varimo {
namespace {

constexpr char kSectionLine[] = "[Album]";
constexpr char kPathKey[] = "Path";
constexpr char kSizeKey[] = "Size";
constexpr char kTracksKey[] = "Tracks";
constexpr char kDeleteKey[] = "Delete";
constexpr char kNoKey[] = "No";
constexpr char kPositionKey[] = "Position";
constexpr char kLineBreak[] = "\r\n";

// Fields each record must have, as bits.
constexpr unsigned kHasPath = 1, kHasSize = 2, kHasTracks = 4, kHasDelete = 8, kHasNo = 16,
                   kHasPosition = 32, kHasAll = 63;

bool NeedsEscape(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == '%';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  auto [ptr, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && ptr == end;
}

void AppendKey(std::string& text, const char* key) {
  text += key;
  text += '=';
}

void AppendLine(std::string& text, const char* key, std::string_view value) {
  AppendKey(text, key);
  text += value;
  text += kLineBreak;
}

void AppendLine(std::string& text, const char* key, int64_t value) {
  AppendKey(text, key);
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text.append(digits, static_cast<size_t>(end - digits));
  text += kLineBreak;
}

// The record's section at the end of text, written in place: a thousand of them are written
// whenever an album is left.
void AppendRecord(std::string& text, const TAlbumRecord& record) {
  text += kSectionLine;
  text += kLineBreak;
  AppendKey(text, kPathKey);
  for (char c : record.Path) {
    if (NeedsEscape(static_cast<unsigned char>(c))) {
      text += EscapeStoreValue(std::string_view(&c, 1));
    } else {
      text += c;
    }
  }
  text += kLineBreak;
  AppendLine(text, kSizeKey, record.FileSize);
  AppendLine(text, kTracksKey, record.TrackCount);
  AppendLine(text, kDeleteKey, record.Exclusions);
  AppendLine(text, kNoKey, record.CurrentIndex);
  AppendLine(text, kPositionKey, record.PositionMS);
}

// A record as FormatAlbumRecords writes one: every field once and in its range.
bool IsWhole(const TAlbumRecord& record, unsigned fields) {
  if (fields != kHasAll || record.FileSize < 0 || record.TrackCount <= 0) return false;
  if (record.Exclusions.size() != static_cast<size_t>(record.TrackCount)) return false;
  if (record.Exclusions.find_first_not_of("01") != std::string::npos) return false;
  return record.CurrentIndex >= 0 && record.CurrentIndex < record.TrackCount &&
         record.PositionMS >= -1;
}

// One "key=value" line into the record; false for a key it has already or does not know.
bool TakeField(TAlbumRecord& record, unsigned& fields, std::string_view key,
               std::string_view value) {
  unsigned field = 0;
  bool parsed = false;
  if (key == kPathKey) {
    field = kHasPath;
    std::optional<std::string> path = UnescapeStoreValue(value);
    parsed = path.has_value();
    if (parsed) record.Path = std::move(*path);
  } else if (key == kSizeKey) {
    field = kHasSize;
    parsed = ParseNumber(value, record.FileSize);
  } else if (key == kTracksKey) {
    field = kHasTracks;
    parsed = ParseNumber(value, record.TrackCount);
  } else if (key == kDeleteKey) {
    field = kHasDelete;
    record.Exclusions = std::string(value);
    parsed = true;
  } else if (key == kNoKey) {
    field = kHasNo;
    parsed = ParseNumber(value, record.CurrentIndex);
  } else if (key == kPositionKey) {
    field = kHasPosition;
    parsed = ParseNumber(value, record.PositionMS);
  }
  if (!parsed || (fields & field) != 0) return false;
  fields |= field;
  return true;
}

}  // namespace

bool TAlbumRecord::operator==(const TAlbumRecord& other) const {
  return Path == other.Path && FileSize == other.FileSize && TrackCount == other.TrackCount &&
         Exclusions == other.Exclusions && CurrentIndex == other.CurrentIndex &&
         PositionMS == other.PositionMS;
}

std::string EscapeStoreValue(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string stored;
  stored.reserve(value.size());
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (NeedsEscape(byte)) {
      stored += '%';
      stored += kHex[byte >> 4];
      stored += kHex[byte & 15];
    } else {
      stored += c;
    }
  }
  return stored;
}

std::optional<std::string> UnescapeStoreValue(std::string_view stored) {
  std::string value;
  value.reserve(stored.size());
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] != '%') {
      value += stored[i];
      continue;
    }
    if (i + 2 >= stored.size()) return std::nullopt;
    const int high = HexValue(stored[i + 1]);
    const int low = HexValue(stored[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    value += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return value;
}

std::string FormatAlbumRecords(const std::vector<TAlbumRecord>& records) {
  std::string text;
  // A typical record takes some 140 bytes; one allocation holds them all.
  text.reserve(records.size() * 160);
  for (const TAlbumRecord& record : records) {
    const size_t before = text.size();
    AppendRecord(text, record);
    // The least recently used give way, so that the file is always one a read accepts.
    if (static_cast<int64_t>(text.size()) > kMaxAlbumStoreBytes) {
      text.resize(before);
      break;
    }
  }
  return text;
}

std::optional<std::vector<TAlbumRecord>> ParseAlbumRecords(std::string_view text) {
  std::vector<TAlbumRecord> records;
  TAlbumRecord record;
  unsigned fields = 0;
  bool inRecord = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (line == kSectionLine) {
      if (inRecord && !IsWhole(record, fields)) return std::nullopt;
      if (inRecord) records.push_back(std::move(record));
      record = TAlbumRecord();
      fields = 0;
      inRecord = true;
      continue;
    }
    const size_t equals = line.find('=');
    if (!inRecord || equals == std::string_view::npos) return std::nullopt;
    if (!TakeField(record, fields, line.substr(0, equals), line.substr(equals + 1))) {
      return std::nullopt;
    }
  }
  if (inRecord && !IsWhole(record, fields)) return std::nullopt;
  if (inRecord) records.push_back(std::move(record));
  return records;
}

AlbumStoreFile::AlbumStoreFile(IFiles& files, IFileReplacer& replacer, std::string path)
    : files_(files), replacer_(replacer), path_(std::move(path)) {}

AlbumStoreFile::TLoad AlbumStoreFile::Load(std::vector<TAlbumRecord>& records) {
  if (loaded_) return result_;
  loaded_ = true;
  records.clear();
  std::unique_ptr<IFile> file = files_.OpenRead(path_);
  if (!file) {
    // A file that is there but cannot be opened (locked, say) may hold what the user kept.
    result_ = files_.FileExists(path_) ? TLoad::kUnreadable : TLoad::kMissing;
    writable_ = result_ == TLoad::kMissing;
    return result_;
  }
  const int64_t size = file->Size();
  std::optional<std::vector<TAlbumRecord>> parsed;
  if (size >= 0 && size <= kMaxAlbumStoreBytes) {
    std::string text(static_cast<size_t>(size), '\0');
    if (file->Read(text.data(), text.size()) != text.size()) {
      result_ = TLoad::kUnreadable;
      return result_;
    }
    parsed = ParseAlbumRecords(text);
  }
  file.reset();
  if (parsed) {
    records = std::move(*parsed);
    result_ = TLoad::kLoaded;
    writable_ = true;
    return result_;
  }
  // Garbled or too large: kept under the other name for whoever wants to look at it, and the
  // store starts afresh. Where it cannot be moved, it is not written over either.
  writable_ = replacer_.Rename(path_, SetAsidePath());
  result_ = writable_ ? TLoad::kSetAside : TLoad::kUnreadable;
  return result_;
}

bool AlbumStoreFile::Save(const std::vector<TAlbumRecord>& records) {
  if (!writable_) return false;
  // A record lost at a power cut costs one album its marks; the store is never torn, and the
  // host stays quick to move on.
  return replacer_.ReplaceLazily(path_, FormatAlbumRecords(records));
}

}  // namespace varimo
