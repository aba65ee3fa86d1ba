#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/atomic_file.h"

namespace varimo {
namespace {

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// The rename lives in the folder's entry list; without this a power cut may forget it.
void SyncFolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

class PosixFileReplacer : public IFileReplacer {
 public:
  bool Replace(const std::string& path, const std::string& bytes) override {
    if (!ReplaceUnlisted(path, bytes)) return false;
    SyncFolderOf(path);
    return true;
  }

  bool ReplaceLazily(const std::string& path, const std::string& bytes) override {
    return ReplaceUnlisted(path, bytes);
  }

  bool Rename(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    SyncFolderOf(to);
    return true;
  }

 private:
  // The new file synced and renamed over the old one; the folder's entry list not yet synced.
  static bool ReplaceUnlisted(const std::string& path, const std::string& bytes) {
    // A file nobody may write is kept, whoever runs this: the rename would replace it even
    // so, as the folder's entry is writable.
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && (old.st_mode & 0222) == 0) return false;
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    // mkstemp makes the file private; the settings keep the permissions they had.
    ::fchmod(fd, exists ? (old.st_mode & 07777) : 0644);
    bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(name.data(), path.c_str()) != 0) {
      ::unlink(name.data());
      return false;
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<IFileReplacer> MakeSystemFileReplacer() {
  return std::make_unique<PosixFileReplacer>();
}

}  // namespace varimo
