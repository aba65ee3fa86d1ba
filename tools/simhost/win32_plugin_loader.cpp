#include "win32_plugin_loader.h"

#include <cstring>

namespace varimo {

// The host's layout of a general-purpose plug-in's record.
struct Win32PluginLoader::TRecord {
  int version;
  const char* description;
  int (*init)();
  void (*config)();
  void (*quit)();
  HWND hwndParent;
  HINSTANCE hDllInstance;
};

namespace {

constexpr int kAcceptedVersion = 0x10;
constexpr size_t kMaxDescription = 512;

std::string ErrorText(const char* what, const std::string& path) {
  return std::string(what) + " " + path + " (error " + std::to_string(GetLastError()) + ")";
}

}  // namespace

bool Win32PluginLoader::Load(const std::string& path, HWND hostWindow, TPluginRecordInfo& info,
                             std::string& error) {
  if (library_ != nullptr) {
    error = "the plug-in is already loaded";
    return false;
  }
  HMODULE library = LoadLibraryA(path.c_str());
  if (library == nullptr) {
    error = ErrorText("cannot load", path);
    return false;
  }
  using EntryPoint = TRecord* (*)();
  auto entry = reinterpret_cast<EntryPoint>(
      reinterpret_cast<void*>(GetProcAddress(library, "winampGetGeneralPurposePlugin")));
  TRecord* record = entry != nullptr ? entry() : nullptr;
  if (record == nullptr) {
    error = entry == nullptr ? "no winampGetGeneralPurposePlugin in " + path
                             : "winampGetGeneralPurposePlugin returned no record";
    FreeLibrary(library);
    return false;
  }
  info.Version = record->version;
  info.Description =
      record->description == nullptr
          ? std::string()
          : std::string(record->description, strnlen(record->description, kMaxDescription));
  if (record->version != kAcceptedVersion || record->init == nullptr || record->quit == nullptr) {
    error = "the plug-in record is not acceptable: version " + std::to_string(record->version) +
            (record->init == nullptr || record->quit == nullptr ? ", init or quit missing" : "");
    FreeLibrary(library);
    return false;
  }
  record->hwndParent = hostWindow;
  record->hDllInstance = library;
  library_ = library;
  record_ = record;
  info.InitResult = record->init();
  return true;
}

void Win32PluginLoader::Unload() {
  if (library_ == nullptr) return;
  record_->quit();
  FreeLibrary(library_);
  library_ = nullptr;
  record_ = nullptr;
}

}  // namespace varimo
