#pragma once
// In-memory files behind the files port, for tests, fuzzing and benchmarks.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"

namespace varimo {

class MemoryFiles : public IFiles {
 public:
  // The bytes of a file; adding one replaces it.
  void Add(const std::string& path, std::vector<uint8_t> bytes);
  void AddFolder(const std::string& path) { folders_.push_back(path); }
  // Null when the file does not exist.
  const std::vector<uint8_t>* Find(const std::string& path) const;
  // Gives a file another name, replacing a file of that name; false when there is none.
  bool Move(const std::string& from, const std::string& to);
  // Makes writes to created files stop after this many bytes, as on a full disk.
  void SetWriteLimit(size_t limit) { writeLimit_ = limit; }

  std::unique_ptr<IFile> OpenRead(const std::string& path) override;
  std::unique_ptr<IFile> Create(const std::string& path) override;
  bool FileExists(const std::string& path) override { return Find(path) != nullptr; }
  bool FolderExists(const std::string& path) override;
  uint32_t LastError() const override { return lastError_; }

 private:
  std::map<std::string, std::shared_ptr<std::vector<uint8_t>>> files_;
  std::vector<std::string> folders_;
  size_t writeLimit_ = static_cast<size_t>(-1);
  uint32_t lastError_ = 0;
};

// A single open file over bytes the caller keeps alive (fuzzing, benchmarks).
std::unique_ptr<IFile> OpenMemoryFile(const uint8_t* data, size_t size, TIoCounters& counters);

}  // namespace varimo
