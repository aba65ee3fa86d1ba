#pragma once
// Loads the general-purpose plug-in the way the host player does: the library, its
// record, the host fields, init; and at the end quit and the library's release.

#include <windows.h>

#include <string>

namespace varimo {

// What the record reported, for the log.
struct TPluginRecordInfo {
  int Version = 0;
  std::string Description;
  int InitResult = 0;
};

class Win32PluginLoader {
 public:
  Win32PluginLoader() = default;
  Win32PluginLoader(const Win32PluginLoader&) = delete;
  Win32PluginLoader& operator=(const Win32PluginLoader&) = delete;
  ~Win32PluginLoader() { Unload(); }

  // Fails, with the library released again, when the library or its entry point is
  // missing or its record has a version the host does not accept.
  bool Load(const std::string& path, HWND hostWindow, TPluginRecordInfo& info, std::string& error);
  // Calls quit and releases the library; nothing when no library is loaded.
  void Unload();
  bool Loaded() const { return library_ != nullptr; }

 private:
  struct TRecord;

  HMODULE library_ = nullptr;
  TRecord* record_ = nullptr;
};

}  // namespace varimo
