#pragma once
// The replace port over in-memory files, with a switch that makes every replace fail the way
// an interrupted one does: the file keeps its old bytes.

#include <string>
#include <vector>

#include "fakes/memory_files.h"
#include "platform/atomic_file.h"

namespace varimo {

class MemoryReplacer : public IFileReplacer {
 public:
  explicit MemoryReplacer(MemoryFiles& files) : files_(files) {}

  bool Replace(const std::string& path, const std::string& bytes) override {
    ++Replaces;
    if (Fail) return false;
    files_.Add(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    return true;
  }

  // Counted apart, and as a replace too.
  bool ReplaceLazily(const std::string& path, const std::string& bytes) override {
    ++LazyReplaces;
    return Replace(path, bytes);
  }

  bool Rename(const std::string& from, const std::string& to) override {
    ++Renames;
    return !Fail && files_.Move(from, to);
  }

  bool Fail = false;
  int Renames = 0;
  int Replaces = 0;
  int LazyReplaces = 0;

 private:
  MemoryFiles& files_;
};

// The bytes of a file of the in-memory files as text; empty when it does not exist.
inline std::string FileText(const MemoryFiles& files, const std::string& path) {
  const std::vector<uint8_t>* bytes = files.Find(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

inline void PutFile(MemoryFiles& files, const std::string& path, const std::string& text) {
  files.Add(path, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace varimo
