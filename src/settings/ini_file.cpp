#include "settings/ini_file.h"

#include <utility>

#include "common/text.h"

namespace varimo {

std::string DecodeIniValue(std::string_view stored) {
  std::string_view value = TrimBlanks(stored);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > kMaxIniValueBytes) {
    size_t cut = 0;
    while (cut < kMaxIniValueBytes) {
      const size_t step = ShiftJisCharSize(value, cut);
      if (cut + step > kMaxIniValueBytes) break;
      cut += step;
    }
    value = value.substr(0, cut);
  }
  return std::string(value);
}

std::string EncodeIniValue(std::string_view value) {
  const bool changedByRead =
      TrimBlanks(value).size() != value.size() ||
      (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
       value.back() == value.front());
  return changedByRead ? "\"" + std::string(value) + "\"" : std::string(value);
}

int32_t ParseIniInteger(std::string_view text, int32_t fallback) {
  size_t i = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) return fallback;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return fallback;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > int64_t{INT32_MAX} + 1) return fallback;
  }
  int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return fallback;
  return static_cast<int32_t>(value);
}

std::string WrapText(std::string_view text) {
  return "/" + std::string(text) + "/";
}

std::string UnwrapText(std::string_view stored) {
  return stored.size() < 2 ? std::string() : std::string(stored.substr(1, stored.size() - 2));
}

IniFile::IniFile(IFiles& files, IFileReplacer& replacer, std::string path)
    : files_(files), replacer_(replacer), path_(std::move(path)) {}

IniFile::LoadResult IniFile::Load(TIniText& text) {
  std::unique_ptr<IFile> file = files_.OpenRead(path_);
  if (!file) return files_.FileExists(path_) ? LoadResult::kUnreadable : LoadResult::kMissing;
  // Read to the end and compare with the size: a read error and a file that changed while it
  // was read both show as a mismatch, and neither may pass for the whole file.
  std::string bytes;
  char chunk[4096];
  while (bytes.size() <= static_cast<size_t>(kMaxIniFileBytes)) {
    size_t got = file->Read(chunk, sizeof chunk);
    if (got == 0) break;
    bytes.append(chunk, got);
  }
  if (bytes.size() > static_cast<size_t>(kMaxIniFileBytes) ||
      static_cast<int64_t>(bytes.size()) != file->Size()) {
    return LoadResult::kUnreadable;
  }
  text = TIniText(std::move(bytes));
  return LoadResult::kLoaded;
}

void IniFile::BeginBatch() {
  batching_ = true;
  batchChanged_ = false;
  batchRefused_ = false;
  batchText_ = TIniText();
  batchReadable_ = Load(batchText_) != LoadResult::kUnreadable;
}

bool IniFile::Commit() {
  if (!batching_) return true;
  batching_ = false;
  bool written = !batchRefused_ && (!batchChanged_ || replacer_.Replace(path_, batchText_.Bytes()));
  batchText_ = TIniText();
  return written;
}

template <typename Change>
bool IniFile::Modify(Change change) {
  if (batching_) {
    if (!batchReadable_) {
      batchRefused_ = true;
      return false;
    }
    batchChanged_ = change(batchText_) || batchChanged_;
    return true;
  }
  TIniText text;
  if (Load(text) == LoadResult::kUnreadable) return false;
  return !change(text) || replacer_.Replace(path_, text.Bytes());
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) {
  std::optional<std::string_view> stored;
  TIniText loaded;
  if (batching_) {
    stored = batchText_.Find(section, key);
  } else if (Load(loaded) == LoadResult::kLoaded) {
    stored = loaded.Find(section, key);
  }
  return stored ? DecodeIniValue(*stored) : std::string(fallback);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t fallback) {
  return ParseIniInteger(ReadString(section, key, ""), fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

char IniFile::ReadChar(std::string_view section, std::string_view key, char fallback) {
  std::string value = ReadString(section, key, "");
  return value.empty() || value[0] == '\0' ? fallback : value[0];
}

std::string IniFile::ReadWrapped(std::string_view section, std::string_view key) {
  return UnwrapText(ReadString(section, key, ""));
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string stored = EncodeIniValue(value);
  return Modify([&](TIniText& text) { return text.Set(section, key, stored); });
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool IniFile::WriteChar(std::string_view section, std::string_view key, char value) {
  return WriteString(section, key, value == '\0' ? std::string() : std::string(1, value));
}

bool IniFile::WriteWrapped(std::string_view section, std::string_view key, std::string_view text) {
  return WriteString(section, key, WrapText(text));
}

bool IniFile::EraseSection(std::string_view section) {
  return Modify([&](TIniText& text) { return text.EraseSection(section); });
}

bool IniFile::EraseKey(std::string_view section, std::string_view key) {
  return Modify([&](TIniText& text) { return text.EraseKey(section, key); });
}

}  // namespace varimo
