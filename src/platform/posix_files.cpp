#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"

namespace varimo {
namespace {

class PosixFile : public IFile {
 public:
  PosixFile(int fd, TIoCounters& counters, uint32_t& lastError)
      : fd_(fd), counters_(counters), lastError_(lastError) {}
  ~PosixFile() override { ::close(fd_); }

  size_t Read(void* dst, size_t count) override {
    size_t done = 0;
    while (done < count) {
      ++counters_.Reads;
      ssize_t n = ::read(fd_, static_cast<char*>(dst) + done, count - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        if (n < 0) lastError_ = static_cast<uint32_t>(errno);
        break;
      }
      done += static_cast<size_t>(n);
    }
    counters_.BytesRead += done;
    position_ += static_cast<int64_t>(done);
    return done;
  }

  size_t Write(const void* src, size_t count) override {
    size_t done = 0;
    while (done < count) {
      ssize_t n = ::write(fd_, static_cast<const char*>(src) + done, count - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        lastError_ = n < 0 ? static_cast<uint32_t>(errno) : ENOSPC;
        break;
      }
      done += static_cast<size_t>(n);
    }
    position_ += static_cast<int64_t>(done);
    return done;
  }

  bool Seek(int64_t position) override {
    if (position < 0 || ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) return false;
    position_ = position;
    return true;
  }

  int64_t Position() const override { return position_; }

  int64_t Size() const override {
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
  }

 private:
  int fd_;
  int64_t position_ = 0;
  TIoCounters& counters_;
  uint32_t& lastError_;
};

class PosixFiles : public IFiles {
 public:
  std::unique_ptr<IFile> OpenRead(const std::string& path) override {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Fail();
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
      ::close(fd);
      lastError_ = EISDIR;
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd, counters_, lastError_);
  }

  std::unique_ptr<IFile> Create(const std::string& path) override {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Fail();
    return std::make_unique<PosixFile>(fd, counters_, lastError_);
  }

  bool FileExists(const std::string& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  }

  bool FolderExists(const std::string& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  uint32_t LastError() const override { return lastError_; }

 private:
  std::unique_ptr<IFile> Fail() {
    lastError_ = static_cast<uint32_t>(errno);
    return nullptr;
  }
  uint32_t lastError_ = 0;
};

}  // namespace

std::unique_ptr<IFiles> MakeSystemFiles() { return std::make_unique<PosixFiles>(); }

}  // namespace varimo
