#pragma once
// The host's current skin as the window draws it: the frame and glyph bitmaps, from the
// skin's files or the library's built-in ones, and the list colours of its "Pledit.txt".

#include <memory>
#include <optional>
#include <string>

#include "frame/host.h"
#include "platform/files.h"
#include "window/paint_state.h"
#include "window/win32_gdi_canvas.h"

namespace varimo {

class Win32SkinLoader {
 public:
  // module (an HINSTANCE) holds the built-in bitmaps.
  explicit Win32SkinLoader(void* module) : module_(module) {}
  Win32SkinLoader(const Win32SkinLoader&) = delete;
  Win32SkinLoader& operator=(const Win32SkinLoader&) = delete;
  ~Win32SkinLoader();

  // Asks the host for its skin. The folder to load from when it differs from the skin
  // loaded last, or whenever force is set; nothing otherwise.
  std::optional<std::string> Check(IHost& host, bool force);
  // Replaces the bitmaps and colours with those of the skin in folder.
  void Load(const std::string& folder);

  TGdiSkinBitmaps Bitmaps() const { return {skin_, glyphs_}; }
  TPaintSkin PaintSkin() const { return {ownLayout_, colors_}; }

 private:
  void* module_;
  std::unique_ptr<IFiles> files_ = MakeSystemFiles();
  TGdiBitmap skin_ = nullptr;
  TGdiBitmap glyphs_ = nullptr;
  bool ownLayout_ = true;
  TSkinColors colors_;
  // The host's answer at the last load: an unchanged answer means an unchanged skin.
  std::string skinDir_;
};

}  // namespace varimo
