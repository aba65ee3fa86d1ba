#include "window/win32_gdi_canvas.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace varimo {
namespace {

HDC ToDc(TGdiDc dc) {
  return static_cast<HDC>(dc);
}

RECT ToRect(const TSkinRect& rect) {
  return {rect.Left, rect.Top, rect.Right, rect.Bottom};
}

// GDI counts characters in an int; the texts of a row are far shorter.
int TextLength(std::string_view text) {
  return static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
}

}  // namespace

GdiFontCache::~GdiFontCache() {
  for (const TEntry& entry : fonts_) DeleteObject(static_cast<HFONT>(entry.Font));
}

void* GdiFontCache::Font(const TFontSpec& spec, TGdiDc dc) {
  const int logPixelsY = spec.InPoints ? GetDeviceCaps(ToDc(dc), LOGPIXELSY) : 0;
  for (const TEntry& entry : fonts_) {
    if (entry.Spec == spec && entry.LogPixelsY == logPixelsY) return entry.Font;
  }
  LOGFONTA logFont;
  std::memset(&logFont, 0, sizeof(logFont));
  logFont.lfHeight = spec.InPoints ? -MulDiv(spec.Height, logPixelsY, 72) : spec.Height;
  logFont.lfWeight = FW_NORMAL;
  logFont.lfCharSet = spec.Charset;
  logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logFont.lfQuality = DEFAULT_QUALITY;
  logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  // The face comes from the settings file; a longer one is cut to what the system keeps.
  const size_t faceLength = std::min(spec.Face.size(), sizeof(logFont.lfFaceName) - 1);
  std::memcpy(logFont.lfFaceName, spec.Face.data(), faceLength);
  HFONT font = CreateFontIndirectA(&logFont);
  if (font == nullptr) return nullptr;
  fonts_.push_back({spec, logPixelsY, font});
  return font;
}

GdiCanvas::GdiCanvas(TGdiDc target, const TGdiSkinBitmaps& bitmaps, GdiFontCache& fonts)
    : target_(target), bitmaps_(bitmaps), fonts_(fonts) {
  // Restored on destruction: the selected font, the text colour and mode, the stretch mode
  // and the clip region go back to what the caller's context had.
  savedState_ = SaveDC(ToDc(target_));
  SetBkMode(ToDc(target_), TRANSPARENT);
  SetStretchBltMode(ToDc(target_), COLORONCOLOR);
}

GdiCanvas::~GdiCanvas() {
  if (sourceDc_ != nullptr) {
    SelectObject(ToDc(sourceDc_), static_cast<HGDIOBJ>(sourceOriginal_));
    DeleteDC(ToDc(sourceDc_));
  }
  if (savedState_ != 0) RestoreDC(ToDc(target_), savedState_);
}

TGdiDc GdiCanvas::SourceFor(TCanvasBitmap source) {
  TGdiBitmap bitmap = source == TCanvasBitmap::kSkin ? bitmaps_.Skin : bitmaps_.Glyphs;
  if (bitmap == nullptr) return nullptr;
  if (sourceDc_ == nullptr) {
    sourceDc_ = CreateCompatibleDC(ToDc(target_));
    if (sourceDc_ == nullptr) return nullptr;
  }
  if (bitmap != selectedSource_) {
    HGDIOBJ previous = SelectObject(ToDc(sourceDc_), static_cast<HBITMAP>(bitmap));
    if (previous == nullptr || previous == HGDI_ERROR) return nullptr;
    if (selectedSource_ == nullptr) sourceOriginal_ = previous;
    selectedSource_ = bitmap;
  }
  return sourceDc_;
}

void GdiCanvas::CopyRect(TCanvasBitmap source, const TSkinRect& from, const TSkinRect& to) {
  HDC sourceDc = ToDc(SourceFor(source));
  if (sourceDc == nullptr) return;
  if (from.Width() == to.Width() && from.Height() == to.Height()) {
    BitBlt(ToDc(target_), to.Left, to.Top, to.Width(), to.Height(), sourceDc, from.Left, from.Top,
           SRCCOPY);
  } else {
    StretchBlt(ToDc(target_), to.Left, to.Top, to.Width(), to.Height(), sourceDc, from.Left,
               from.Top, from.Width(), from.Height(), SRCCOPY);
  }
}

void GdiCanvas::FillRect(const TSkinRect& rect, uint32_t color) {
  HBRUSH brush = CreateSolidBrush(color);
  if (brush == nullptr) return;
  const RECT area = ToRect(rect);
  ::FillRect(ToDc(target_), &area, brush);
  DeleteObject(brush);
}

void GdiCanvas::SetFont(const TFontSpec& font) {
  HFONT handle = static_cast<HFONT>(fonts_.Font(font, target_));
  if (handle != nullptr) SelectObject(ToDc(target_), handle);
}

void GdiCanvas::SetTextColor(uint32_t color) {
  ::SetTextColor(ToDc(target_), color);
}

void GdiCanvas::DrawString(int x, int y, std::string_view text) {
  TextOutA(ToDc(target_), x, y, text.data(), TextLength(text));
}

int GdiCanvas::TextWidth(std::string_view text) {
  SIZE size = {0, 0};
  if (!GetTextExtentPoint32A(ToDc(target_), text.data(), TextLength(text), &size)) return 0;
  return size.cx;
}

void GdiCanvas::SetClip(const TSkinRect& rect) {
  HRGN region = CreateRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom);
  if (region == nullptr) return;
  // The context keeps a copy of the region.
  SelectClipRgn(ToDc(target_), region);
  DeleteObject(region);
}

void GdiCanvas::ClearClip() {
  SelectClipRgn(ToDc(target_), nullptr);
}

GdiBufferedPaint::GdiBufferedPaint(TGdiDc window, int width, int height,
                                   const TGdiSkinBitmaps& bitmaps, GdiFontCache& fonts)
    : window_(window), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  HDC memoryDc = CreateCompatibleDC(ToDc(window_));
  // Compatible with the window, not with the memory context, which starts monochrome.
  HBITMAP buffer =
      memoryDc != nullptr ? CreateCompatibleBitmap(ToDc(window_), width_, height_) : nullptr;
  if (buffer != nullptr) {
    memoryDc_ = memoryDc;
    buffer_ = buffer;
    originalBitmap_ = SelectObject(memoryDc, buffer);
    canvas_.emplace(memoryDc_, bitmaps, fonts);
    return;
  }
  // Without memory for the off-screen bitmap the window is drawn directly: it flickers, but
  // it shows.
  if (memoryDc != nullptr) DeleteDC(memoryDc);
  canvas_.emplace(window_, bitmaps, fonts);
}

GdiBufferedPaint::~GdiBufferedPaint() {
  canvas_.reset();
  if (memoryDc_ == nullptr) return;
  SelectObject(ToDc(memoryDc_), static_cast<HGDIOBJ>(originalBitmap_));
  DeleteObject(static_cast<HBITMAP>(buffer_));
  DeleteDC(ToDc(memoryDc_));
}

void GdiBufferedPaint::Present() {
  if (memoryDc_ == nullptr) return;
  BitBlt(ToDc(window_), 0, 0, width_, height_, ToDc(memoryDc_), 0, 0, SRCCOPY);
}

}  // namespace varimo
