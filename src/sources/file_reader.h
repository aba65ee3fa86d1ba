#pragma once
// An open file as the readers see it: a position, a size and reads through a few buffered
// windows, so that a reader testing four bytes per offset costs a few OS reads, not one per
// offset, and a region read again soon after (a member's end, then the next member's start)
// costs none.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/files.h"

namespace varimo {

class FileReader {
 public:
  static constexpr size_t kDefaultWindow = 16 * 1024;
  // Enough for a member boundary (the block before it and the headers after it) and a tag
  // read between; the memory held stays this many windows whatever the file's size.
  static constexpr size_t kWindowCount = 4;

  explicit FileReader(IFile& file, size_t window = kDefaultWindow);

  int64_t Position() const { return position_; }
  int64_t Size() const { return size_; }
  int64_t Remaining() const { return position_ < size_ ? size_ - position_ : 0; }
  // Moves the position; positions past the end are allowed and read nothing.
  void Seek(int64_t position) { position_ = position < 0 ? 0 : position; }
  void Skip(int64_t count) { Seek(position_ + count); }

  // Reads up to count bytes at the position and advances past them.
  size_t Read(uint8_t* dst, size_t count);
  // Reads up to count bytes, never more than the file holds from the position.
  std::vector<uint8_t> ReadBytes(int64_t count);
  // Reads up to count bytes at an absolute offset without moving the position.
  size_t ReadAt(int64_t offset, uint8_t* dst, size_t count);

 private:
  struct TWindow {
    std::vector<uint8_t> Bytes;  // allocated at the window's first use
    int64_t Start = 0;
    size_t Length = 0;
    uint64_t LastUse = 0;  // 0: never filled
  };

  // The window holding [offset, offset + count), or null.
  TWindow* Find(int64_t offset, size_t count);
  // The window to refill: an unused one, else the one used longest ago.
  TWindow& Oldest();
  size_t ReadFromOs(int64_t offset, uint8_t* dst, size_t count);

  IFile& file_;
  int64_t size_;
  int64_t position_ = 0;
  size_t windowSize_;
  std::array<TWindow, kWindowCount> windows_;
  uint64_t uses_ = 0;
  int64_t osPosition_ = -1;
};

}  // namespace varimo
