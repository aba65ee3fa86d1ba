#pragma once
// The settings file on disk: private-profile reads and writes of one INI file through the
// files port, each write replacing the whole file at once through the replace port.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/atomic_file.h"
#include "platform/files.h"
#include "settings/ini_text.h"

namespace varimo {

// A read returns at most this many bytes of a value, as the platform's profile reads do.
constexpr size_t kMaxIniValueBytes = 2047;
// A settings file is a few kilobytes; a larger one is not read, and not overwritten either.
constexpr int64_t kMaxIniFileBytes = 1 << 20;

// A stored value as a read returns it: blanks at both ends dropped, one pair of matching
// quotation marks (" or ') around it removed, cut to kMaxIniValueBytes without splitting a
// Shift-JIS character.
std::string DecodeIniValue(std::string_view stored);
// The value as stored so that DecodeIniValue gives it back: one that the read would change
// (blanks at an end, or a pair of matching quotation marks around it) goes inside double
// quotation marks, which the read removes; any other is stored as it is.
std::string EncodeIniValue(std::string_view value);
// Decimal text with an optional sign that fits 32 bits; otherwise fallback.
int32_t ParseIniInteger(std::string_view text, int32_t fallback);
// "/" + text + "/": keeps blanks at the ends of text that a read would drop.
std::string WrapText(std::string_view text);
// A wrapped text without its first and last byte; empty stays empty.
std::string UnwrapText(std::string_view stored);

class IniFile {
 public:
  IniFile(IFiles& files, IFileReplacer& replacer, std::string path);

  // Outside a batch every read loads the file and every write replaces it, as the platform's
  // profile functions do. Between BeginBatch and Commit the file is loaded once, reads and
  // writes work on that copy, and Commit replaces the file once: many writes, one atomic step.
  // Batches do not nest; writes of a batch that is never committed are dropped.
  void BeginBatch();
  // Ends the batch. False when a write of it could not reach the file, which then keeps its
  // old contents.
  bool Commit();

  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback);
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback);
  bool ReadBool(std::string_view section, std::string_view key, bool fallback);
  // The first byte of the value; fallback when the value is empty or missing, or starts with
  // a zero byte (only quotation marks can keep one there), which is no key.
  char ReadChar(std::string_view section, std::string_view key, char fallback);
  std::string ReadWrapped(std::string_view section, std::string_view key);

  // False when the write cannot reach the file (in a batch: when the file could not be read,
  // so that replacing it would lose what it holds).
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, int32_t value);
  bool WriteBool(std::string_view section, std::string_view key, bool value);
  bool WriteChar(std::string_view section, std::string_view key, char value);
  bool WriteWrapped(std::string_view section, std::string_view key, std::string_view text);
  bool EraseSection(std::string_view section);
  bool EraseKey(std::string_view section, std::string_view key);

 private:
  enum class LoadResult { kLoaded, kMissing, kUnreadable };
  LoadResult Load(TIniText& text);
  // Applies one change to the file, or to the batch's copy.
  template <typename Change>
  bool Modify(Change change);

  IFiles& files_;
  IFileReplacer& replacer_;
  std::string path_;
  bool batching_ = false;
  bool batchReadable_ = true;
  bool batchChanged_ = false;
  bool batchRefused_ = false;  // a write of the batch could not be kept
  TIniText batchText_;
};

}  // namespace varimo
