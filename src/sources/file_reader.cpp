#include "sources/file_reader.h"

#include <algorithm>
#include <cstring>

namespace varimo {

FileReader::FileReader(IFile& file, size_t window)
    : file_(file), size_(file.Size()), position_(file.Position()), window_(window) {}

size_t FileReader::ReadAt(int64_t offset, uint8_t* dst, size_t count) {
  if (offset < 0 || offset >= size_ || count == 0) return 0;
  count = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), size_ - offset));
  size_t done = 0;
  while (done < count) {
    int64_t at = offset + static_cast<int64_t>(done);
    if (at >= windowStart_ && at < windowStart_ + static_cast<int64_t>(windowLength_)) {
      size_t from = static_cast<size_t>(at - windowStart_);
      size_t n = std::min(count - done, windowLength_ - from);
      std::memcpy(dst + done, window_.data() + from, n);
      done += n;
      continue;
    }
    if (osPosition_ != at) {
      if (!file_.Seek(at)) break;
      osPosition_ = at;
    }
    size_t want = count - done;
    if (want >= window_.size()) {
      // Large reads go straight to the caller's memory.
      size_t got = file_.Read(dst + done, want);
      osPosition_ += static_cast<int64_t>(got);
      done += got;
      if (got < want) break;
      continue;
    }
    size_t got = file_.Read(window_.data(), window_.size());
    windowStart_ = at;
    windowLength_ = got;
    osPosition_ += static_cast<int64_t>(got);
    if (got == 0) break;
  }
  return done;
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
