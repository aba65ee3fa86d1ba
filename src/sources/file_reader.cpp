#include "sources/file_reader.h"

#include <algorithm>
#include <cstring>

namespace varimo {

FileReader::FileReader(IFile& file, size_t window)
    : file_(file), size_(file.Size()), position_(file.Position()), window_(window) {}

size_t FileReader::ReadAt(int64_t offset, uint8_t* dst, size_t count) {
  if (offset < 0 || offset >= size_ || count == 0) return 0;
  count = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), size_ - offset));
  bool inside = offset >= windowStart_ &&
                offset + static_cast<int64_t>(count) <= windowStart_ + static_cast<int64_t>(windowLength_);
  if (!inside) {
    if (osPosition_ != offset) {
      if (!file_.Seek(offset)) return 0;
      osPosition_ = offset;
    }
    if (count >= window_.size()) {
      // Large reads go straight to the caller's memory.
      size_t got = file_.Read(dst, count);
      osPosition_ += static_cast<int64_t>(got);
      return got;
    }
    // The window starts at the request, so a scan moving forward a few bytes at a time
    // stays inside it for a whole window's length.
    windowStart_ = offset;
    windowLength_ = file_.Read(window_.data(), window_.size());
    osPosition_ += static_cast<int64_t>(windowLength_);
  }
  size_t from = static_cast<size_t>(offset - windowStart_);
  size_t n = std::min(count, windowLength_ > from ? windowLength_ - from : 0);
  std::memcpy(dst, window_.data() + from, n);
  return n;
}

size_t FileReader::Read(uint8_t* dst, size_t count) {
  size_t got = ReadAt(position_, dst, count);
  position_ += static_cast<int64_t>(got);
  return got;
}

std::vector<uint8_t> FileReader::ReadBytes(int64_t count) {
  int64_t n = std::max<int64_t>(0, std::min(count, Remaining()));
  std::vector<uint8_t> bytes(static_cast<size_t>(n));
  bytes.resize(Read(bytes.data(), bytes.size()));
  return bytes;
}

}  // namespace varimo
