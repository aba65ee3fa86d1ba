#include "window/mouse.h"

#include <algorithm>
#include <cmath>

#include "engine/play_commands.h"
#include "window/geometry.h"
#include "window/layout.h"
#include "window/snap.h"
#include "window/appearance.h"

namespace varimo {
namespace {

// Wheel delta per row scrolled: a standard notch of 120 moves three rows.
constexpr int32_t kWheelDeltaPerRow = 40;
// Rows a scroll arrow moves.
constexpr int32_t kArrowRows = 4;
constexpr int32_t kPressedThumb = 9;
// The host's playlist editor opens its add-file dialog on this key.
constexpr int32_t kAddFileKey = 76;

// The list row at window height y, counted from the first track; the settings keep the font
// size at 6 or more, so rows always have a height.
int32_t RowAt(const TVarimo& varimo, int32_t y) {
  const int32_t rowHeight = std::max(varimo.Settings.Option.FontSize, 1);
  return (y - geometry::kRowsTop.Offset) / rowHeight + varimo.Window.TopIndex;
}

bool ShowsPlayback(const TVarimo& varimo) {
  return varimo.Play.HostState != kHostStopped && varimo.Album.AlbumKind != kAlbumNone;
}

void StartDrag(TVarimo& varimo, TPorts& ports, int32_t mode) {
  TWindowState& window = varimo.Window;
  window.DragMode = mode;
  window.DragAnchor = ports.Pointer.Position();
  ports.Pointer.Capture();
}

void StartMove(TVarimo& varimo, TPorts& ports) {
  varimo.Window.Snap = TSnapMemory();
  StartDrag(varimo, ports, kDragMove);
}

void ScrollBy(TVarimo& varimo, TPorts& ports, int32_t rows) {
  TWindowState& window = varimo.Window;
  const int32_t last = TrackCount(varimo.Album) - window.VisibleRows;
  if (last <= 0) return;
  if (rows < 0 ? window.TopIndex <= 0 : window.TopIndex >= last) return;
  // Upwards only the top bounds it: a list scrolled past its end by a taller window
  // comes back four rows at a time.
  window.TopIndex = rows < 0 ? std::max(window.TopIndex + rows, 0)
                             : std::min(window.TopIndex + rows, last);
  ports.View.Repaint();
}

void MoveStep(TVarimo& varimo, TPorts& ports) {
  const TWindowOrigin origin = SnapPosition(varimo, ports, true);
  TWindowBounds bounds = ports.Window.Bounds();
  if (origin.Left == bounds.Left && origin.Top == bounds.Top) return;
  bounds.Left = origin.Left;
  bounds.Top = origin.Top;
  ports.Window.SetBounds(bounds);
}

void ResizeDragStep(TVarimo& varimo, TPorts& ports) {
  TWindowState& window = varimo.Window;
  TWindowBounds bounds = ports.Window.Bounds();
  const TResizeStep step = ResizeStep(bounds.Width, bounds.Height, window.State == kStateNormal,
                                      ports.Pointer.Position(), window.DragAnchor);
  if (!step.Changed) return;
  window.DragAnchor = step.Anchor;
  bounds.Width = step.Width;
  bounds.Height = step.Height;
  ports.Window.SetBounds(bounds);
  ports.Pointer.MoveTo(step.Pointer);
}

void ScrollThumbStep(TVarimo& varimo, TPorts& ports) {
  TWindowState& window = varimo.Window;
  if (window.ScrollStep == 0) return;
  const TWindowBounds bounds = ports.Window.Bounds();
  const int32_t y = ports.Pointer.Position().Y - bounds.Top -
                    EdgeAt(geometry::kScrollThumbTops.Low, bounds.Height);
  const double rows = std::trunc(y / window.ScrollStep);
  if (rows < 0 || rows > TrackCount(varimo.Album) - window.VisibleRows) return;
  const int32_t top = static_cast<int32_t>(rows);
  if (top == window.TopIndex) return;
  window.TopIndex = top;
  ports.View.Repaint();
}

void PositionThumbStep(TVarimo& varimo, TPorts& ports) {
  TPlayState& play = varimo.Play;
  if (play.HostState == kHostStopped) return;
  const TWindowBounds bounds = ports.Window.Bounds();
  const int32_t x =
      ports.Pointer.Position().X - bounds.Left - EdgeAt(geometry::kPositionDragStart, bounds.Width);
  const double fraction = static_cast<double>(x) / geometry::kPositionThumbTravel;
  if (fraction < 0 || fraction > 1 || fraction == play.PositionFraction) return;
  play.PositionFraction = fraction;
  ports.View.Repaint();
}

// The position thumb let go: the host seeks to where it lies within the current track, the
// timer held so that no tick comes between.
void SeekToThumb(TVarimo& varimo, TPorts& ports) {
  TPlayState& play = varimo.Play;
  TAlbumState& album = varimo.Album;
  ports.View.DrawPositionThumb(0, play.PositionFraction);
  ports.View.DrawTimeDisplay(play.TimeDigits, varimo.Window.Remain);
  if (!NamesTrack(album, album.CurrentIndex)) return;
  ports.Window.StopTimer();
  const TTrackItem& track = album.Tracks[static_cast<size_t>(album.CurrentIndex)];
  const int32_t target = static_cast<int32_t>(track.StartMS + static_cast<double>(track.LengthMS) *
                                                                  play.PositionFraction);
  ports.Host.SeekTo(target);
  album.SeekBaseMS = target;
  ports.Window.StartTimer(varimo.Settings.Option.TimerMS);
}

struct TAxisSteps {
  int32_t Tile;
  int32_t ShrinkAbove;  // no shrinking at this size and below
  int32_t Minimum;
};

// One axis of a resize step: the size grows or shrinks by whole tiles once the pointer has
// moved more than half a tile; then the pointer moves on by as much again and anchors there.
bool StepAxis(int32_t& size, int32_t moved, const TAxisSteps& steps, int32_t& pointer,
              int32_t& anchor) {
  const int32_t half = steps.Tile / 2;
  const int32_t before = size;
  if (moved > half) {
    size += (moved + half) / steps.Tile * steps.Tile;
  } else if (size > steps.ShrinkAbove && moved < -half) {
    size += (moved - half) / steps.Tile * steps.Tile;
  }
  size = std::max(size, steps.Minimum);
  if (size == before) return false;
  pointer += moved;
  anchor = pointer;
  return true;
}

void Eject(TVarimo& varimo, TPorts& ports) {
  ports.Window.Activate(varimo.HostWindows.Handles[kSlotPlaylistEditor]);
  ports.Keyboard.KeyPress(kAddFileKey);
}

void PressNormal(TVarimo& varimo, TPorts& ports, TRegion region, int32_t y) {
  TWindowState& window = varimo.Window;
  TAlbumState& album = varimo.Album;
  switch (region) {
    case TRegion::kTitleBar: StartMove(varimo, ports); return;
    case TRegion::kResizeGrip: StartDrag(varimo, ports, kDragResize); return;
    case TRegion::kScrollUp:
      if (window.VisibleRows < TrackCount(album)) ScrollBy(varimo, ports, -kArrowRows);
      return;
    case TRegion::kScrollDown:
      if (window.VisibleRows < TrackCount(album)) ScrollBy(varimo, ports, kArrowRows);
      return;
    case TRegion::kScrollBar:
      StartDrag(varimo, ports, kDragScrollThumb);
      if (window.TopIndex > 0 && window.ThumbY == geometry::kScrollThumbTops.Low.Offset) {
        window.TopIndex = 0;
      }
      // The repaint draws the thumb pressed.
      ports.View.Repaint();
      ScrollThumbStep(varimo, ports);
      return;
    case TRegion::kPositionBar:
      if (!ShowsPlayback(varimo)) return;
      StartDrag(varimo, ports, kDragPosition);
      ports.View.DrawPositionThumb(kPressedThumb, varimo.Play.PositionFraction);
      PositionThumbStep(varimo, ports);
      return;
    case TRegion::kList: {
      const int32_t row = RowAt(varimo, y);
      window.SelectedIndex = row < TrackCount(album) ? row : -1;
      ports.View.Repaint();
      return;
    }
    case TRegion::kSmallButton: SwitchToSmall(varimo, ports); return;
    case TRegion::kCloseButton: CloseByButton(varimo, ports); return;
    case TRegion::kPrevious: PlayPrevious(varimo, ports); return;
    case TRegion::kPlay:
      if (!album.Tracks.empty() && varimo.Play.HostState != kHostPlaying) {
        PlayTrack(varimo, ports, false);
      }
      return;
    case TRegion::kPause: ports.Host.Pause(); return;
    case TRegion::kStop: ports.Host.Stop(); return;
    case TRegion::kNext: PlayNext(varimo, ports); return;
    case TRegion::kEject: Eject(varimo, ports); return;
    case TRegion::kTimeDisplay:
      window.Remain = !window.Remain;
      ports.View.Repaint();
      return;
    default: return;
  }
}

void PressSmall(TVarimo& varimo, TPorts& ports, TRegion region) {
  switch (region) {
    case TRegion::kSmallBar:
      ports.Pointer.ReleaseCapture();
      ports.Pointer.SetCursor(kCursorTitle);
      StartMove(varimo, ports);
      return;
    case TRegion::kSmallWidthGrip: StartDrag(varimo, ports, kDragResize); return;
    case TRegion::kNormalButton: SwitchToNormal(varimo, ports); return;
    case TRegion::kSmallCloseButton: CloseByButton(varimo, ports); return;
    default: return;
  }
}

}  // namespace

const THitRegion& ListRegion() {
  for (const TRegionRow& row : geometry::kNormalRegions) {
    if (row.Region == TRegion::kList) return row.Press;
  }
  return geometry::kNormalRegions[0].Press;
}

TResizeStep ResizeStep(int32_t width, int32_t height, bool heightToo, TPoint pointer,
                       TPoint anchor) {
  TResizeStep step{width, height, pointer, anchor, false};
  const TAxisSteps across = {geometry::kTileWidth, geometry::kShrinkWidthAbove, kMinWidth};
  const TAxisSteps down = {geometry::kSideTileHeight, geometry::kShrinkHeightAbove,
                           kNormalMinHeight};
  step.Changed = StepAxis(step.Width, pointer.X - anchor.X, across, step.Pointer.X, step.Anchor.X);
  if (heightToo) {
    step.Changed |=
        StepAxis(step.Height, pointer.Y - anchor.Y, down, step.Pointer.Y, step.Anchor.Y);
  }
  return step;
}

void FormMouseDown(TVarimo& varimo, TPorts& ports, int32_t x, int32_t y) {
  TWindowState& window = varimo.Window;
  // One drag at a time: a press during a drag (another button) is not looked at.
  if (window.State < 0 || window.DragMode != kDragNone) return;
  const TWindowBounds bounds = ports.Window.Bounds();
  const TRegionRow* row = RegionAt(window.State, bounds.Width, bounds.Height, x, y);
  if (row == nullptr) return;
  if (window.State == kStateNormal) {
    PressNormal(varimo, ports, row->Region, y);
  } else {
    PressSmall(varimo, ports, row->Region);
  }
}

void FormMouseMove(TVarimo& varimo, TPorts& ports, int32_t x, int32_t y, bool buttonHeld) {
  TWindowState& window = varimo.Window;
  if (window.State < 0) return;
  switch (window.DragMode) {
    case kDragNone: {
      if (buttonHeld) return;
      const TWindowBounds bounds = ports.Window.Bounds();
      ports.Pointer.SetCursor(HoverCursor(window.State, bounds.Width, bounds.Height, x, y));
      return;
    }
    case kDragMove: MoveStep(varimo, ports); return;
    case kDragResize: ResizeDragStep(varimo, ports); return;
    case kDragScrollThumb: ScrollThumbStep(varimo, ports); return;
    case kDragPosition: PositionThumbStep(varimo, ports); return;
    default: return;
  }
}

void FormMouseUp(TVarimo& varimo, TPorts& ports) {
  TWindowState& window = varimo.Window;
  const int32_t mode = window.DragMode;
  if (mode == kDragNone) return;
  // The mode ends before the capture goes, so the loss of the capture finds no drag.
  window.DragMode = kDragNone;
  ports.Pointer.ReleaseCapture();
  if (mode == kDragScrollThumb) ports.View.Repaint();
  if (mode == kDragPosition) SeekToThumb(varimo, ports);
}

void FormDblClick(TVarimo& varimo, TPorts& ports) {
  TWindowState& window = varimo.Window;
  if (window.State < 0) return;
  const TWindowBounds bounds = ports.Window.Bounds();
  const TPoint pointer = ports.Pointer.Position();
  const int32_t x = pointer.X - bounds.Left;
  const int32_t y = pointer.Y - bounds.Top;
  const TRegionRow* row = RegionAt(window.State, bounds.Width, bounds.Height, x, y);
  if (row == nullptr) return;
  TAlbumState& album = varimo.Album;
  switch (row->Region) {
    case TRegion::kTitleBar: SwitchToSmall(varimo, ports); return;
    case TRegion::kSmallBar: SwitchToNormal(varimo, ports); return;
    case TRegion::kList: {
      if (album.Tracks.empty()) return;
      const int32_t track = RowAt(varimo, y);
      if (!NamesTrack(album, track)) return;
      album.CurrentIndex = track;
      // Counted as played in the current shuffle pass; an excluded track's Mark would
      // include it again.
      TTrackItem& item = album.Tracks[static_cast<size_t>(track)];
      if (varimo.Play.Mode == kModeShuffleAlbum && !IsExcluded(item)) ++item.Mark;
      PlayTrack(varimo, ports, false);
      return;
    }
    default: return;
  }
}

bool FormMouseWheel(TVarimo& varimo, TPorts& ports, int32_t delta) {
  TWindowState& window = varimo.Window;
  if (window.State != kStateNormal) return false;
  const int32_t last = TrackCount(varimo.Album) - window.VisibleRows;
  if (delta == 0 || last <= 0) return true;
  const bool room = delta < 0 ? window.TopIndex < last : window.TopIndex > 0;
  if (!room) return true;
  const int64_t top = int64_t{window.TopIndex} - delta / kWheelDeltaPerRow;
  window.TopIndex = static_cast<int32_t>(std::clamp<int64_t>(top, 0, last));
  ports.View.Repaint();
  return true;
}

}  // namespace varimo
