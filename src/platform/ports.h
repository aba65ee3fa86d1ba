#pragma once
// The platform ports the album engine and the window's lifecycle steer: the window itself,
// the clock, the window's translucency and the partial drawings of the time and position.

#include <array>
#include <cstdint>

#include "platform/host.h"

namespace varimo {

// Screen position and outer size of a window, in pixels.
struct TWindowBounds {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
};

// The desktop's work area: the screen less the task bar.
struct TWorkArea {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

struct TScreenSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

// The plug-in's main window as the window system holds it.
class IWindow {
 public:
  virtual ~IWindow() = default;

  virtual TWindowBounds Bounds() const = 0;
  virtual void SetBounds(const TWindowBounds& bounds) = 0;
  // The heights the user may size the window to; 0 lifts a limit.
  virtual void SetHeightLimits(int32_t minHeight, int32_t maxHeight) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // The playback monitor's timer. Starting it again restarts the interval.
  virtual void StartTimer(int32_t intervalMS) = 0;
  virtual void StopTimer() = 0;
  // Dispatches the messages already waiting, timer ticks among them.
  virtual void PumpMessages() = 0;
  virtual TScreenSize ScreenSize() const = 0;
  virtual TWorkArea WorkArea() const = 0;
  // Whether another program's window (the host's main window) is shown.
  virtual bool IsWindowVisible(THostHandle window) const = 0;

  // The window's own handle, and whether it is shown now.
  virtual THostHandle Handle() const = 0;
  virtual bool IsShown() const = 0;
  // Another window's place on the screen (the host's windows).
  virtual TWindowBounds WindowBounds(THostHandle window) const = 0;
  // Whether the system reports another window minimised.
  virtual bool IsMinimized(THostHandle window) const = 0;
  // Makes another window (or this one) the foreground window.
  virtual void Activate(THostHandle window) = 0;
};

class IClock {
 public:
  virtual ~IClock() = default;
  // Milliseconds since some start; wraps around after 2^32.
  virtual uint32_t TickCount() = 0;
  // Blocks the calling thread; no messages are dispatched meanwhile.
  virtual void Sleep(uint32_t ms) = 0;
};

// The main window's translucency.
class ITransparency {
 public:
  virtual ~ITransparency() = default;
  // Gives the window the style that lets it be translucent.
  virtual void AddLayeredStyle() = 0;
  // 0 invisible .. 255 opaque. False when the system cannot make windows translucent.
  virtual bool SetOpacity(uint8_t alpha) = 0;
};

// Tens of minutes, minutes, tens of seconds, seconds. The last is -1 while no time is shown.
using TTimeDigits = std::array<int32_t, 4>;

// The window's skin and drawings, as the playback monitor and the play commands use them.
class IView {
 public:
  virtual ~IView() = default;

  // Loads the host's skin; without force only when the host reports another skin.
  virtual void LoadSkin(bool force) = 0;
  // From now on the window paints and lays itself out; lays itself out once at once.
  virtual void BindPaint() = 0;
  // The time in the normal window's bottom panel; remain draws the minus sign.
  virtual void DrawTimeDisplay(const TTimeDigits& digits, bool remain) = 0;
  // The time at the right end of the small window.
  virtual void DrawSmallTime(const TTimeDigits& digits, bool remain) = 0;
  // Blanks the normal window's time display.
  virtual void BlankTimeDisplay() = 0;
  // The position-bar thumb at fraction (0..1) of its travel: offset 0 normal, 9 pressed,
  // negative erases it.
  virtual void DrawPositionThumb(int32_t offset, double fraction) = 0;
  // A full repaint of the window, at once.
  virtual void Repaint() = 0;
  // Measures the list font again and lays the window out as after a resize, then repaints
  // it: the settings it is drawn with have changed.
  virtual void Relayout() = 0;
};

}  // namespace varimo
