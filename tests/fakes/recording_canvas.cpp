#include "fakes/recording_canvas.h"

namespace varimo {

RecordingCanvas::RecordingCanvas(int byteWidth) {
  widths_.fill(byteWidth);
}

std::vector<TCanvasCall> RecordingCanvas::CallsOf(TCanvasCallKind kind) const {
  std::vector<TCanvasCall> found;
  for (const TCanvasCall& call : calls_) {
    if (call.Kind == kind) found.push_back(call);
  }
  return found;
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> texts;
  for (const TCanvasCall& call : calls_) {
    if (call.Kind == TCanvasCallKind::kText) texts.push_back(call.Text);
  }
  return texts;
}

void RecordingCanvas::CopyRect(TCanvasBitmap source, const TSkinRect& from, const TSkinRect& to) {
  TCanvasCall call;
  call.Kind = TCanvasCallKind::kCopy;
  call.Source = source;
  call.From = from;
  call.To = to;
  calls_.push_back(call);
}

void RecordingCanvas::FillRect(const TSkinRect& rect, uint32_t color) {
  TCanvasCall call;
  call.Kind = TCanvasCallKind::kFill;
  call.To = rect;
  call.Color = color;
  calls_.push_back(call);
}

void RecordingCanvas::SetFont(const TFontSpec& font) {
  font_ = font;
  TCanvasCall call;
  call.Kind = TCanvasCallKind::kFont;
  call.Font = font;
  calls_.push_back(call);
}

void RecordingCanvas::SetTextColor(uint32_t color) {
  textColor_ = color;
  TCanvasCall call;
  call.Kind = TCanvasCallKind::kTextColor;
  call.Color = color;
  calls_.push_back(call);
}

void RecordingCanvas::DrawString(int x, int y, std::string_view text) {
  TCanvasCall call;
  call.Kind = TCanvasCallKind::kText;
  call.X = x;
  call.Y = y;
  call.Text = std::string(text);
  call.Color = textColor_;
  call.Font = font_;
  calls_.push_back(call);
}

int RecordingCanvas::TextWidth(std::string_view text) {
  int width = 0;
  for (char c : text) width += widths_[static_cast<uint8_t>(c)];
  return width;
}

void RecordingCanvas::SetClip(const TSkinRect& rect) {
  TCanvasCall call;
  call.Kind = TCanvasCallKind::kClip;
  call.To = rect;
  calls_.push_back(call);
}

void RecordingCanvas::ClearClip() {
  TCanvasCall call;
  call.Kind = TCanvasCallKind::kClearClip;
  calls_.push_back(call);
}

}  // namespace varimo
