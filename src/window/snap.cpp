#include "window/snap.h"

#include <cstdlib>

namespace varimo {
namespace {

// How close an edge pulls the window in, across and along the screen.
constexpr int32_t kToleranceX = 12;
constexpr int32_t kToleranceY = 9;

bool Within(int64_t value, int64_t target, int32_t tolerance) {
  return value >= target - tolerance && value <= target + tolerance;
}

// The sticky rule of one edge: coordinate is the window's, pointer the pointer's on the same
// axis. A new snap needs the window within tolerance (and mayStart); a held one lets go once
// the pointer has moved more than tolerance from where it snapped. True while snapped.
bool StickToEdge(int32_t& coordinate, int32_t target, int32_t tolerance, int32_t pointer,
                 TSnapAnchor& anchor, bool mayStart) {
  if (!anchor) {
    if (!mayStart || !Within(coordinate, target, tolerance)) return false;
    coordinate = target;
    anchor = pointer;
    return true;
  }
  const int64_t moved = int64_t{pointer} - *anchor;
  if (moved < -tolerance || moved > tolerance) {
    coordinate = static_cast<int32_t>(target + moved);
    anchor.reset();
    return false;
  }
  coordinate = target;
  return true;
}

// The window's corners and, for each, the host window's corners it may sit on, in order.
enum Corner { kBottomLeft, kBottomRight, kTopLeft, kTopRight };
constexpr std::array<std::array<Corner, 3>, 4> kCornerCandidates = {{
    {kBottomRight, kTopRight, kTopLeft},
    {kBottomLeft, kTopLeft, kTopRight},
    {kTopRight, kBottomRight, kBottomLeft},
    {kTopLeft, kBottomLeft, kBottomRight},
}};

TPoint CornerOf(Corner corner, int32_t left, int32_t top, int32_t width, int32_t height) {
  const bool right = corner == kBottomRight || corner == kTopRight;
  const bool bottom = corner == kBottomLeft || corner == kBottomRight;
  return {right ? left + width : left, bottom ? top + height : top};
}

// Places the window so that its corner lies at point.
void PutCornerAt(Corner corner, TPoint point, int32_t width, int32_t height, int32_t& x,
                 int32_t& y) {
  const TPoint offset = CornerOf(corner, 0, 0, width, height);
  x = point.X - offset.X;
  y = point.Y - offset.Y;
}

bool StickToCorner(Corner own, const TWindowBounds& host, int32_t width, int32_t height,
                   TPoint pointer, std::optional<TSnapCorner>& anchor, int32_t& x, int32_t& y) {
  const std::array<Corner, 3>& candidates = kCornerCandidates[own];
  if (anchor) {
    const TPoint target = CornerOf(candidates[static_cast<size_t>(anchor->Candidate)], host.Left,
                                   host.Top, host.Width, host.Height);
    const int64_t dx = int64_t{pointer.X} - anchor->Pointer.X;
    const int64_t dy = int64_t{pointer.Y} - anchor->Pointer.Y;
    if (std::llabs(dx) > kToleranceX || std::llabs(dy) > kToleranceY) {
      PutCornerAt(own, {static_cast<int32_t>(target.X + dx), static_cast<int32_t>(target.Y + dy)},
                  width, height, x, y);
      anchor.reset();
      return false;
    }
    PutCornerAt(own, target, width, height, x, y);
    return true;
  }
  const TPoint corner = CornerOf(own, x, y, width, height);
  for (size_t i = 0; i < candidates.size(); ++i) {
    const TPoint target = CornerOf(candidates[i], host.Left, host.Top, host.Width, host.Height);
    if (Within(corner.X, target.X, kToleranceX) && Within(corner.Y, target.Y, kToleranceY)) {
      PutCornerAt(own, target, width, height, x, y);
      anchor = TSnapCorner{pointer, static_cast<int32_t>(i)};
      return true;
    }
  }
  return false;
}

}  // namespace

TSnapResult Snap(TSnapMemory& memory, TPoint& anchor, const TSnapInput& input) {
  const TWindowBounds& window = input.Window;
  const TPoint p = input.Pointer;
  int32_t x = window.Left;
  int32_t y = window.Top;
  if (input.Dragging) {
    x += p.X - anchor.X;
    y += p.Y - anchor.Y;
  }
  anchor = p;
  const int32_t w = window.Width;
  const int32_t h = window.Height;
  bool docked = false;

  const TWorkArea& work = input.Work;
  int32_t right = input.ScreenWidth - w;
  const int32_t workWidth = work.Right - work.Left;
  // A task bar on the right takes its width off the right edge.
  if (work.Left == 0 && input.ScreenWidth != workWidth) right -= input.ScreenWidth - workWidth;
  StickToEdge(x, work.Left, kToleranceX, p.X, memory.ScreenLeft, true);
  StickToEdge(x, right, kToleranceX, p.X, memory.ScreenRight, true);
  StickToEdge(y, work.Top, kToleranceY, p.Y, memory.ScreenTop, true);

  for (size_t i = 0; i < input.Hosts.size(); ++i) {
    if (!input.Hosts[i]) continue;
    const TWindowBounds& host = *input.Hosts[i];
    const int32_t l = host.Left;
    const int32_t t = host.Top;
    const int32_t r = host.Left + host.Width;
    const int32_t b = host.Top + host.Height;
    THostSnap& snap = memory.Hosts[i];
    const bool besideVertically = t < y + h && y < b;
    docked |= StickToEdge(x, r, kToleranceX, p.X, snap.Edges[0], besideVertically);
    docked |= StickToEdge(x, l - w, kToleranceX, p.X, snap.Edges[1], t < y + h && y < b);
    const bool besideHorizontally = l < x + w && x < r;
    docked |= StickToEdge(y, b, kToleranceY, p.Y, snap.Edges[2], besideHorizontally);
    docked |= StickToEdge(y, t - h, kToleranceY, p.Y, snap.Edges[3], l < x + w && x < r);
    for (size_t c = 0; c < snap.Corners.size(); ++c) {
      docked |= StickToCorner(static_cast<Corner>(c), host, w, h, p, snap.Corners[c], x, y);
    }
  }
  return {{x, y}, docked};
}

TWindowOrigin SnapPosition(TVarimo& varimo, TPorts& ports, bool dragging) {
  TSnapInput input;
  input.Window = ports.Window.Bounds();
  input.Dragging = dragging;
  input.Pointer = ports.Pointer.Position();
  input.ScreenWidth = ports.Window.ScreenSize().Width;
  input.Work = ports.Window.WorkArea();
  const THostWindows& hosts = varimo.HostWindows;
  for (size_t i = 0; i < hosts.Handles.size(); ++i) {
    const THostHandle handle = hosts.Handles[i];
    if (handle == 0 || (dragging && !ports.Window.IsWindowVisible(handle))) continue;
    input.Hosts[i] = ports.Window.WindowBounds(handle);
  }
  TWindowState& window = varimo.Window;
  const TSnapResult result = Snap(window.Snap, window.DragAnchor, input);
  window.Docked = result.Docked;
  return result.Origin;
}

}  // namespace varimo
