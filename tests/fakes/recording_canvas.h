#pragma once
// A canvas that records every call, for tests and benchmarks of the painting. It measures
// text with a fixed width per byte, which individual bytes can override.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "window/canvas.h"

namespace varimo {

enum class TCanvasCallKind {
  kCopy,
  kFill,
  kFont,
  kTextColor,
  kText,
  kClip,
  kClearClip,
};

// One recorded call. Text calls also carry the colour and font in effect when they were made.
struct TCanvasCall {
  TCanvasCallKind Kind = TCanvasCallKind::kCopy;
  TCanvasBitmap Source = TCanvasBitmap::kSkin;
  TSkinRect From;
  TSkinRect To;  // copies, fills and clips
  uint32_t Color = 0;
  int X = 0;
  int Y = 0;
  std::string Text;
  TFontSpec Font;
};

class RecordingCanvas : public ICanvas {
 public:
  explicit RecordingCanvas(int byteWidth = 6);

  // Measures b as width pixels from now on.
  void SetByteWidth(uint8_t b, int width) { widths_[b] = width; }
  const std::vector<TCanvasCall>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

  // The recorded calls of one kind, in order.
  std::vector<TCanvasCall> CallsOf(TCanvasCallKind kind) const;
  // Texts drawn, in order, each as its bytes.
  std::vector<std::string> Texts() const;

  void CopyRect(TCanvasBitmap source, const TSkinRect& from, const TSkinRect& to) override;
  void FillRect(const TSkinRect& rect, uint32_t color) override;
  void SetFont(const TFontSpec& font) override;
  void SetTextColor(uint32_t color) override;
  void DrawString(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  void SetClip(const TSkinRect& rect) override;
  void ClearClip() override;

 private:
  std::array<int, 256> widths_;
  std::vector<TCanvasCall> calls_;
  TFontSpec font_;
  uint32_t textColor_ = 0;
};

}  // namespace varimo
