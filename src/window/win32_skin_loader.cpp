#include "window/win32_skin_loader.h"

#include <windows.h>

#include <cstring>

#include "window/skin.h"

namespace varimo {
namespace {

// A 32-bit top-down section holding the checked pixels: the system never parses a skin
// file itself, and the bitmap keeps the file's colours whatever the screen's depth.
HBITMAP BitmapFromImage(const TBmpImage& image) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.Width;
  info.bmiHeader.biHeight = -image.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  if (bits == nullptr) {
    DeleteObject(bitmap);
    return nullptr;
  }
  std::memcpy(bits, image.Pixels.data(), image.Pixels.size() * sizeof(uint32_t));
  return bitmap;
}

// The built-in bitmaps are the library's own; skin files go through the checked reader.
HBITMAP LoadCandidate(HINSTANCE module, IFiles& files, const TBitmapCandidate& candidate) {
  if (candidate.Path.empty()) {
    return static_cast<HBITMAP>(
        LoadImageA(module, candidate.Resource.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  }
  const std::optional<TBmpImage> image = ReadSkinBitmap(files, candidate.Path, candidate.Minimum);
  return image ? BitmapFromImage(*image) : nullptr;
}

void Replace(TGdiBitmap& held, HBITMAP loaded) {
  if (held != nullptr) DeleteObject(static_cast<HBITMAP>(held));
  held = loaded;
}

// Loads the first of the candidates that decodes; a bitmap that cannot be loaded at all
// leaves the one held before. Returns the candidate taken when one was.
template <typename Choose>
std::optional<TBitmapCandidate> LoadInto(TGdiBitmap& held, HINSTANCE module, IFiles& files,
                                         Choose choose) {
  HBITMAP loaded = nullptr;
  const TBitmapLoad load = [&](const TBitmapCandidate& candidate) {
    loaded = LoadCandidate(module, files, candidate);
    return loaded != nullptr;
  };
  const TPathTest isFile = [&](const std::string& path) { return files.FileExists(path); };
  const TBitmapCandidate taken = choose(isFile, load);
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
      LoadInto(skin_, module, *files_, [&](const TPathTest& isFile, const TBitmapLoad& load) {
        return LoadFrameBitmap(folder, isFile, load);
      });
  if (frame) ownLayout_ = frame->OwnLayout;
  LoadInto(glyphs_, module, *files_, [&](const TPathTest& isFile, const TBitmapLoad& load) {
    return LoadGlyphBitmap(folder, isFile, load);
  });
  colors_ = LoadSkinColors(folder, *files_);
}

}  // namespace varimo
