#pragma once
// The canvas over GDI. A repaint composes the whole window in an off-screen bitmap and shows
// it with one copy; the partial drawings between repaints draw on the window directly.

#include <cstdint>
#include <optional>
#include <vector>

#include "window/canvas.h"

namespace varimo {

// GDI handles, kept opaque so that this header needs no system header: HDC and HBITMAP.
using TGdiDc = void*;
using TGdiBitmap = void*;

// The skin's two bitmaps, owned by the window.
struct TGdiSkinBitmaps {
  TGdiBitmap Skin = nullptr;
  TGdiBitmap Glyphs = nullptr;
};

// The window's fonts: each face, height and character set is created at its first use and
// deleted with the cache. A canvas only borrows them, so the cache must outlive every canvas.
class GdiFontCache {
 public:
  GdiFontCache() = default;
  GdiFontCache(const GdiFontCache&) = delete;
  GdiFontCache& operator=(const GdiFontCache&) = delete;
  ~GdiFontCache();

  // The font (an HFONT) for spec; dc resolves point sizes. Null when it cannot be created.
  void* Font(const TFontSpec& spec, TGdiDc dc);

 private:
  struct TEntry {
    TFontSpec Spec;
    int LogPixelsY = 0;
    void* Font = nullptr;
  };
  std::vector<TEntry> fonts_;
};

// Draws on one device context. Everything it selects into that context or its own source
// context is selected out again when it is destroyed.
class GdiCanvas : public ICanvas {
 public:
  GdiCanvas(TGdiDc target, const TGdiSkinBitmaps& bitmaps, GdiFontCache& fonts);
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;
  ~GdiCanvas() override;

  void CopyRect(TCanvasBitmap source, const TSkinRect& from, const TSkinRect& to) override;
  void FillRect(const TSkinRect& rect, uint32_t color) override;
  void SetFont(const TFontSpec& font) override;
  void SetTextColor(uint32_t color) override;
  void DrawString(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  void SetClip(const TSkinRect& rect) override;
  void ClearClip() override;

 private:
  // Selects the bitmap into the source context, creating the context at the first copy.
  TGdiDc SourceFor(TCanvasBitmap source);

  TGdiDc target_;
  TGdiSkinBitmaps bitmaps_;
  GdiFontCache& fonts_;
  TGdiDc sourceDc_ = nullptr;
  void* sourceOriginal_ = nullptr;  // the bitmap the source context came with
  void* selectedSource_ = nullptr;  // the bitmap selected into it now
  int savedState_ = 0;              // the target's state before this canvas touched it
};

// One full repaint: an off-screen bitmap the size of the window to compose on, shown by
// Present with a single copy.
class GdiBufferedPaint {
 public:
  GdiBufferedPaint(TGdiDc window, int width, int height, const TGdiSkinBitmaps& bitmaps,
                   GdiFontCache& fonts);
  GdiBufferedPaint(const GdiBufferedPaint&) = delete;
  GdiBufferedPaint& operator=(const GdiBufferedPaint&) = delete;
  ~GdiBufferedPaint();

  // The canvas over the off-screen bitmap; the window itself when that could not be made.
  ICanvas& Canvas() { return *canvas_; }
  // Copies the composed window onto the window.
  void Present();

 private:
  TGdiDc window_;
  int width_;
  int height_;
  TGdiDc memoryDc_ = nullptr;
  TGdiBitmap buffer_ = nullptr;
  void* originalBitmap_ = nullptr;
  std::optional<GdiCanvas> canvas_;
};

}  // namespace varimo
