#pragma once
// The host's current skin as the window draws it: the frame and glyph bitmaps, from the
// skin's files or the library's built-in ones, and the list colours of its "Pledit.txt".

#include <memory>
#include <optional>
#include <string>

#include "platform/host.h"
#include "platform/files.h"
#include "window/paint_inputs.h"
#include "window/skin_reload.h"
#include "window/win32_gdi_canvas.h"

namespace varimo {

class Win32SkinLoader : public ISkinFiles {
 public:
  // module (an HINSTANCE) holds the built-in bitmaps.
  explicit Win32SkinLoader(void* module) : module_(module) {}
  Win32SkinLoader(const Win32SkinLoader&) = delete;
  Win32SkinLoader& operator=(const Win32SkinLoader&) = delete;
  ~Win32SkinLoader() override;

  void LoadSkinFiles(const std::string& folder) override;

  TGdiSkinBitmaps Bitmaps() const { return {skin_, glyphs_}; }
  TPaintSkin PaintSkin() const { return {ownLayout_, colors_}; }

 private:
  void* module_;
  std::unique_ptr<IFiles> files_ = MakeSystemFiles();
  TGdiBitmap skin_ = nullptr;
  TGdiBitmap glyphs_ = nullptr;
  bool ownLayout_ = true;
  TSkinColors colors_;
};

}  // namespace varimo
