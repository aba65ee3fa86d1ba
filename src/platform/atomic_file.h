#pragma once
// The replace port: how the core rewrites a small file so that it is never seen half-written.

#include <memory>
#include <string>

namespace varimo {

class IFileReplacer {
 public:
  virtual ~IFileReplacer() = default;
  // Makes path hold exactly bytes: they go to a new file beside it first, which then takes the
  // old one's place in one step, so at every moment (and after a crash) path names either the
  // old file or the new one, whole. False when that failed; the old file is then untouched.
  virtual bool Replace(const std::string& path, const std::string& bytes) = 0;
  // As Replace, for a file that may lose its latest version at a power cut: the new bytes are
  // on the disk before they take the old ones' place, so path still names one file or the
  // other, whole, but the renaming itself is left to the system to write when it will.
  virtual bool ReplaceLazily(const std::string& path, const std::string& bytes) {
    return Replace(path, bytes);
  }
  // Gives the file at from the name to, in one step, replacing a file of that name. False when
  // that failed; both names then keep what they held.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
};

// The replacement of the platform being built for.
std::unique_ptr<IFileReplacer> MakeSystemFileReplacer();

}  // namespace varimo
