#include "window/win32_skin_loader.h"

#include <windows.h>

#include "window/skin.h"

namespace varimo {
namespace {

// Colour values are a few characters; anything longer is cut.
constexpr DWORD kProfileValueBytes = 256;

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadProfile(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& defaultText) {
  char value[kProfileValueBytes];
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultText.c_str(),
                                                value, kProfileValueBytes, path.c_str());
  return std::string(value, length);
}

// A device-independent bitmap keeps the file's own colours, whatever the screen's depth.
HBITMAP LoadCandidate(HINSTANCE module, const TBitmapCandidate& candidate) {
  if (candidate.Path.empty()) {
    return static_cast<HBITMAP>(
        LoadImageA(module, candidate.Resource.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  }
  return static_cast<HBITMAP>(LoadImageA(nullptr, candidate.Path.c_str(), IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

void Replace(TGdiBitmap& held, HBITMAP loaded) {
  if (held != nullptr) DeleteObject(static_cast<HBITMAP>(held));
  held = loaded;
}

// Loads the first of the candidates that decodes; a bitmap that cannot be loaded at all
// leaves the one held before. Returns the candidate taken when one was.
template <typename Choose>
std::optional<TBitmapCandidate> LoadInto(TGdiBitmap& held, HINSTANCE module, Choose choose) {
  HBITMAP loaded = nullptr;
  const TBitmapLoad load = [&](const TBitmapCandidate& candidate) {
    loaded = LoadCandidate(module, candidate);
    return loaded != nullptr;
  };
  const TBitmapCandidate taken = choose(TPathTest(IsFile), load);
  if (loaded == nullptr) return std::nullopt;
  Replace(held, loaded);
  return taken;
}

}  // namespace

Win32SkinLoader::~Win32SkinLoader() {
  Replace(skin_, nullptr);
  Replace(glyphs_, nullptr);
}

void Win32SkinLoader::LoadSkinFiles(const std::string& folder) {
  HINSTANCE module = static_cast<HINSTANCE>(module_);
  const std::optional<TBitmapCandidate> frame =
      LoadInto(skin_, module, [&](const TPathTest& isFile, const TBitmapLoad& load) {
        return LoadFrameBitmap(folder, isFile, load);
      });
  if (frame) ownLayout_ = frame->OwnLayout;
  LoadInto(glyphs_, module, [&](const TPathTest& isFile, const TBitmapLoad& load) {
    return LoadGlyphBitmap(folder, isFile, load);
  });
  colors_ = LoadSkinColors(folder, TPathTest(Exists), TProfileRead(ReadProfile));
}

}  // namespace varimo
