#pragma once
// An open file as the readers see it: a position, a size and reads through a buffer, so
// that a reader testing four bytes per offset costs a few OS reads, not one per offset.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/files.h"

namespace varimo {

class FileReader {
 public:
  static constexpr size_t kDefaultWindow = 16 * 1024;

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
  IFile& file_;
  int64_t size_;
  int64_t position_ = 0;
  std::vector<uint8_t> window_;
  int64_t windowStart_ = 0;
  size_t windowLength_ = 0;
  int64_t osPosition_ = -1;
};

}  // namespace varimo
