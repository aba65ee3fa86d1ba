#pragma once
// The playlist window on the system: a borderless, hidden-at-first top-level window owned by
// the host's main window. It offers the window, clock, translucency and view ports, draws the
// skin, and turns its messages into calls of the core's handlers.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "engine/varimo_context.h"
#include "platform/ports.h"
#include "platform/ui_ports.h"
#include "window/layout.h"
#include "window/win32_gdi_canvas.h"
#include "window/win32_skin_loader.h"

namespace varimo {

// What the window's messages run in the parts above the window: its close request, its
// destruction (the save of the settings) and the hot keys.
struct TWindowEvents {
  std::function<void()> Close;
  std::function<void()> Destroy;
  std::function<void(int32_t id)> HotKey;
};

class Win32MainWindow : public IWindow,
                        public IClock,
                        public ITransparency,
                        public IView,
                        public IPointer {
 public:
  // module (an HINSTANCE) is the library, which holds the window's class, cursors and
  // built-in skin.
  Win32MainWindow(void* module, TVarimo& varimo, IHost& host);
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;
  ~Win32MainWindow() override;

  // The ports the window's handlers work through and what its messages run above it; set
  // before Create, kept for its lifetime.
  void Connect(TPorts& ports, TWindowEvents events) {
    ports_ = &ports;
    events_ = std::move(events);
  }
  // Creates the hidden window owned by owner (an HWND) and loads its cursors. False when
  // the system refused the window.
  bool Create(THostHandle owner);
  // Destroys the window, which saves the settings, unregisters its class and frees its
  // cursors; the skin's bitmaps and the fonts go with the object.
  void Destroy();

  // IWindow
  TWindowBounds Bounds() const override;
  void SetBounds(const TWindowBounds& bounds) override;
  void SetHeightLimits(int32_t minHeight, int32_t maxHeight) override;
  void Show() override;
  void Hide() override;
  void StartTimer(int32_t intervalMS) override;
  void StopTimer() override;
  void PumpMessages() override;
  TScreenSize ScreenSize() const override;
  TWorkArea WorkArea() const override;
  bool IsWindowVisible(THostHandle window) const override;
  THostHandle Handle() const override;
  bool IsShown() const override;
  TWindowBounds WindowBounds(THostHandle window) const override;
  bool IsMinimized(THostHandle window) const override;
  void Activate(THostHandle window) override;

  // IPointer
  TPoint Position() const override;
  void MoveTo(TPoint point) override;
  void Capture() override;
  void ReleaseCapture() override;
  void SetCursor(int32_t number) override;

  // IClock
  uint32_t TickCount() override;
  void Sleep(uint32_t ms) override;

  // ITransparency
  void AddLayeredStyle() override;
  bool SetOpacity(uint8_t alpha) override;

  // IView
  void LoadSkin(bool force) override;
  void BindPaint() override;
  void DrawTimeDisplay(const TTimeDigits& digits, bool remain) override;
  void DrawSmallTime(const TTimeDigits& digits, bool remain) override;
  void BlankTimeDisplay() override;
  void DrawPositionThumb(int32_t offset, double fraction) override;
  void Repaint() override;
  void Relayout() override;

  // The window procedure's handling of one message; false leaves it to the default handling.
  bool Dispatch(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result);

 private:
  void Paint();
  void Resize();
  // Widths of "0" and ":" in the list font, measured once per font.
  TFontMetrics MeasureListFont();
  void ApplyCursor() const;
  // The pointer was taken from the window (an HWND, or none) while it may be dragging.
  void KeepDragCapture(void* takenBy);
  void FreeCursors();
  // Draws on the window itself, between full repaints.
  template <typename Draw>
  void DrawOnWindow(Draw draw);

  void* module_;
  TVarimo& varimo_;
  IHost& host_;
  TPorts* ports_ = nullptr;
  void* window_ = nullptr;  // HWND
  bool classRegistered_ = false;
  bool paintBound_ = false;
  TWindowEvents events_;
  // The host's answer to the skin request at the last load; one per library.
  std::string skinDir_;
  bool destroyed_ = false;  // the window's destruction has saved the settings
  bool shown_ = false;      // shown by its own request, whatever its owner shows
  // The designed minimum holds until the saved state sets the limits.
  int32_t minHeight_ = kNormalMinHeight;
  int32_t maxHeight_ = 0;
  Win32SkinLoader skin_;
  GdiFontCache fonts_;
  FontMetricsCache metrics_;
  // HCURSORs by cursor number; 0 is unused.
  std::array<void*, 7> cursors_{};
  int32_t cursor_ = 1;
};

}  // namespace varimo
