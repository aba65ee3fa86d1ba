#include <windows.h>

#include "platform/atomic_file.h"

namespace varimo {
namespace {

bool WriteAll(HANDLE handle, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    size_t left = bytes.size() - done;
    DWORD chunk = static_cast<DWORD>(left > 0x40000000 ? 0x40000000 : left);
    DWORD put = 0;
    if (!WriteFile(handle, bytes.data() + done, chunk, &put, nullptr) || put == 0) return false;
    done += put;
  }
  return true;
}

class Win32FileReplacer : public IFileReplacer {
 public:
  bool Replace(const std::string& path, const std::string& bytes) override {
    return ReplaceWith(path, bytes, MOVEFILE_WRITE_THROUGH);
  }

  bool ReplaceLazily(const std::string& path, const std::string& bytes) override {
    return ReplaceWith(path, bytes, 0);
  }

  bool Rename(const std::string& from, const std::string& to) override {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

 private:
  // The new file flushed and moved over the old one; writeThrough waits for the move to be on
  // the disk too.
  static bool ReplaceWith(const std::string& path, const std::string& bytes, DWORD writeThrough) {
    // A read-only file is kept. Windows refuses to move a file over one; Wine moves it.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      return false;
    }
    // One name per process: two host instances never share a temporary file, and the plug-in
    // writes from the host's one user-interface thread only.
    // The identifier in eight upper-case hex digits, written by hand: printf would bring the
    // C runtime's whole formatted printing into the DLL for this one name.
    char suffix[] = ".00000000.tmp";
    DWORD id = GetCurrentProcessId();
    for (int i = 8; i >= 1; --i, id >>= 4) suffix[i] = "0123456789ABCDEF"[id & 0xF];
    std::string temporary = path + suffix;
    HANDLE handle = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool written = WriteAll(handle, bytes) && FlushFileBuffers(handle);
    written = CloseHandle(handle) && written;
    if (!written ||
        !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | writeThrough)) {
      DeleteFileA(temporary.c_str());
      return false;
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<IFileReplacer> MakeSystemFileReplacer() {
  return std::make_unique<Win32FileReplacer>();
}

}  // namespace varimo
