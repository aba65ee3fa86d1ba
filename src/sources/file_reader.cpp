#include "sources/file_reader.h"

#include <algorithm>
#include <cstring>

namespace varimo {

FileReader::FileReader(IFile& file, size_t window)
    : file_(file), size_(file.Size()), position_(file.Position()), windowSize_(window) {}

FileReader::TWindow* FileReader::Find(int64_t offset, size_t count) {
  for (TWindow& w : windows_) {
    if (w.LastUse != 0 && offset >= w.Start &&
        offset + static_cast<int64_t>(count) <= w.Start + static_cast<int64_t>(w.Length)) {
      return &w;
    }
  }
  return nullptr;
}

FileReader::TWindow& FileReader::Oldest() {
  return *std::min_element(
      windows_.begin(), windows_.end(),
      [](const TWindow& a, const TWindow& b) { return a.LastUse < b.LastUse; });
}

size_t FileReader::ReadFromOs(int64_t offset, uint8_t* dst, size_t count) {
  if (osPosition_ != offset) {
    if (!file_.Seek(offset)) {
      osPosition_ = -1;
      return 0;
    }
    osPosition_ = offset;
  }
  size_t got = file_.Read(dst, count);
  osPosition_ += static_cast<int64_t>(got);
  return got;
}

size_t FileReader::ReadAt(int64_t offset, uint8_t* dst, size_t count) {
  if (offset < 0 || offset >= size_ || count == 0) return 0;
  count = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), size_ - offset));
  TWindow* window = Find(offset, count);
  if (window == nullptr) {
    // Large reads go straight to the caller's memory.
    if (count >= windowSize_) return ReadFromOs(offset, dst, count);
    // The window starts at the request, so a scan moving forward a few bytes at a time
    // stays inside it for a whole window's length.
    window = &Oldest();
    window->Bytes.resize(windowSize_);
    window->Start = offset;
    window->Length = ReadFromOs(offset, window->Bytes.data(), windowSize_);
  }
  window->LastUse = ++uses_;
  size_t from = static_cast<size_t>(offset - window->Start);
  size_t n = std::min(count, window->Length > from ? window->Length - from : 0);
  std::memcpy(dst, window->Bytes.data() + from, n);
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
