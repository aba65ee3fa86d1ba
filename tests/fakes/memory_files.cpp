#include "fakes/memory_files.h"

#include <algorithm>
#include <cstring>

namespace varimo {
namespace {

constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorDiskFull = 112;

class MemoryFile : public IFile {
 public:
  MemoryFile(const uint8_t* data, size_t size, TIoCounters& counters)
      : data_(data), size_(size), counters_(counters) {}
  MemoryFile(std::shared_ptr<std::vector<uint8_t>> owned, TIoCounters& counters,
             size_t writeLimit, uint32_t* lastError)
      : owned_(std::move(owned)),
        data_(owned_->data()),
        size_(owned_->size()),
        counters_(counters),
        writeLimit_(writeLimit),
        lastError_(lastError) {}

  size_t Read(void* dst, size_t count) override {
    ++counters_.Reads;
    if (owned_) {
      data_ = owned_->data();
      size_ = owned_->size();
    }
    if (position_ >= static_cast<int64_t>(size_)) return 0;
    size_t n = std::min(count, size_ - static_cast<size_t>(position_));
    std::memcpy(dst, data_ + position_, n);
    position_ += static_cast<int64_t>(n);
    counters_.BytesRead += n;
    return n;
  }

  size_t Write(const void* src, size_t count) override {
    if (!owned_) return 0;
    size_t room = writeLimit_ > owned_->size() ? writeLimit_ - owned_->size() : 0;
    size_t n = std::min(count, room);
    if (owned_->size() < static_cast<size_t>(position_) + n) owned_->resize(position_ + n);
    std::memcpy(owned_->data() + position_, src, n);
    position_ += static_cast<int64_t>(n);
    if (n < count && lastError_) *lastError_ = kErrorDiskFull;
    return n;
  }

  bool Seek(int64_t position) override {
    if (position < 0) return false;
    position_ = position;
    return true;
  }
  int64_t Position() const override { return position_; }
  int64_t Size() const override {
    return static_cast<int64_t>(owned_ ? owned_->size() : size_);
  }

 private:
  std::shared_ptr<std::vector<uint8_t>> owned_;
  const uint8_t* data_;
  size_t size_;
  TIoCounters& counters_;
  size_t writeLimit_ = 0;
  uint32_t* lastError_ = nullptr;
  int64_t position_ = 0;
};

}  // namespace

void MemoryFiles::Add(const std::string& path, std::vector<uint8_t> bytes) {
  files_[path] = std::make_shared<std::vector<uint8_t>>(std::move(bytes));
}

bool MemoryFiles::Move(const std::string& from, const std::string& to) {
  auto it = files_.find(from);
  if (it == files_.end()) return false;
  auto bytes = it->second;
  files_.erase(it);
  files_[to] = bytes;
  return true;
}

const std::vector<uint8_t>* MemoryFiles::Find(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? nullptr : it->second.get();
}

bool MemoryFiles::FolderExists(const std::string& path) {
  return std::find(folders_.begin(), folders_.end(), path) != folders_.end();
}

std::unique_ptr<IFile> MemoryFiles::OpenRead(const std::string& path) {
  auto it = files_.find(path);
  if (it == files_.end()) {
    lastError_ = kErrorFileNotFound;
    return nullptr;
  }
  return std::make_unique<MemoryFile>(it->second, counters_, static_cast<size_t>(-1), &lastError_);
}

std::unique_ptr<IFile> MemoryFiles::Create(const std::string& path) {
  auto bytes = std::make_shared<std::vector<uint8_t>>();
  files_[path] = bytes;
  return std::make_unique<MemoryFile>(bytes, counters_, writeLimit_, &lastError_);
}

std::unique_ptr<IFile> OpenMemoryFile(const uint8_t* data, size_t size, TIoCounters& counters) {
  return std::make_unique<MemoryFile>(data, size, counters);
}

}  // namespace varimo
