#pragma once
// The files port: how the core opens, reads and writes files.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace varimo {

// Counts what reached the operating system, so benchmarks and tests can see the cost
// of a reader in OS calls rather than guess it.
struct TIoCounters {
  uint64_t Reads = 0;
  uint64_t BytesRead = 0;
};

// One open file with a current position.
class IFile {
 public:
  virtual ~IFile() = default;
  // Reads up to count bytes at the position and advances it; fewer at the end or on error.
  virtual size_t Read(void* dst, size_t count) = 0;
  // Writes count bytes at the position; returns how many were written.
  virtual size_t Write(const void* src, size_t count) = 0;
  virtual bool Seek(int64_t position) = 0;
  virtual int64_t Position() const = 0;
  virtual int64_t Size() const = 0;
};

class IFiles {
 public:
  virtual ~IFiles() = default;
  // Opens for reading, shared with other readers and writers; null when it cannot.
  virtual std::unique_ptr<IFile> OpenRead(const std::string& path) = 0;
  // Creates the file, replacing one of that name; null when it cannot.
  virtual std::unique_ptr<IFile> Create(const std::string& path) = 0;
  // True for an existing file (not a folder).
  virtual bool FileExists(const std::string& path) = 0;
  // True for an existing folder.
  virtual bool FolderExists(const std::string& path) = 0;
  // The system's code for the last failure of this port (errno or GetLastError).
  virtual uint32_t LastError() const = 0;

  TIoCounters& Counters() { return counters_; }

 protected:
  TIoCounters counters_;
};

// The real file system of the platform being built for.
std::unique_ptr<IFiles> MakeSystemFiles();

}  // namespace varimo
