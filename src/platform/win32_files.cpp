#include <windows.h>

#include "platform/files.h"

namespace varimo {
namespace {

class Win32File : public IFile {
 public:
  Win32File(HANDLE handle, TIoCounters& counters, uint32_t& lastError)
      : handle_(handle), counters_(counters), lastError_(lastError) {}
  ~Win32File() override { CloseHandle(handle_); }

  size_t Read(void* dst, size_t count) override {
    size_t done = 0;
    while (done < count) {
      DWORD chunk = static_cast<DWORD>(count - done > 0x40000000 ? 0x40000000 : count - done);
      DWORD got = 0;
      ++counters_.Reads;
      if (!ReadFile(handle_, static_cast<char*>(dst) + done, chunk, &got, nullptr)) {
        lastError_ = GetLastError();
        break;
      }
      if (got == 0) break;
      done += got;
    }
    counters_.BytesRead += done;
    position_ += static_cast<int64_t>(done);
    return done;
  }

  size_t Write(const void* src, size_t count) override {
    size_t done = 0;
    while (done < count) {
      DWORD chunk = static_cast<DWORD>(count - done > 0x40000000 ? 0x40000000 : count - done);
      DWORD put = 0;
      if (!WriteFile(handle_, static_cast<const char*>(src) + done, chunk, &put, nullptr)) {
        lastError_ = GetLastError();
        break;
      }
      if (put == 0) {
        lastError_ = ERROR_DISK_FULL;
        break;
      }
      done += put;
    }
    position_ += static_cast<int64_t>(done);
    return done;
  }

  bool Seek(int64_t position) override {
    if (position < 0) return false;
    LARGE_INTEGER to;
    to.QuadPart = position;
    if (!SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN)) {
      lastError_ = GetLastError();
      return false;
    }
    position_ = position;
    return true;
  }

  int64_t Position() const override { return position_; }

  int64_t Size() const override {
    LARGE_INTEGER size;
    return GetFileSizeEx(handle_, &size) ? size.QuadPart : 0;
  }

 private:
  HANDLE handle_;
  int64_t position_ = 0;
  TIoCounters& counters_;
  uint32_t& lastError_;
};

class Win32Files : public IFiles {
 public:
  std::unique_ptr<IFile> OpenRead(const std::string& path) override {
    return Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  }

  std::unique_ptr<IFile> Create(const std::string& path) override {
    return Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
  }

  bool FileExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool FolderExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  uint32_t LastError() const override { return lastError_; }

 private:
  std::unique_ptr<IFile> Open(const std::string& path, DWORD access, DWORD share, DWORD how) {
    HANDLE handle = CreateFileA(path.c_str(), access, share, nullptr, how, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      lastError_ = GetLastError();
      return nullptr;
    }
    return std::make_unique<Win32File>(handle, counters_, lastError_);
  }
  uint32_t lastError_ = 0;
};

}  // namespace

std::unique_ptr<IFiles> MakeSystemFiles() { return std::make_unique<Win32Files>(); }

}  // namespace varimo
