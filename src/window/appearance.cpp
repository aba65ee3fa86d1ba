#include "window/appearance.h"

#include "engine/play_commands.h"

namespace varimo {

void SwitchToSmall(TVarimo& varimo, TPorts& ports) {
  TWindowState& window = varimo.Window;
  window.State = kStateSmall;
  TWindowBounds bounds = ports.Window.Bounds();
  window.SavedHeight = bounds.Height;
  ports.Window.SetHeightLimits(kSmallHeight, kSmallHeight);
  bounds.Height = kSmallHeight;
  ports.Window.SetBounds(bounds);
  ports.View.Repaint();
}

void SwitchToNormal(TVarimo& varimo, TPorts& ports) {
  TWindowState& window = varimo.Window;
  window.State = kStateNormal;
  ports.Window.SetHeightLimits(kNormalMinHeight, 0);
  TWindowBounds bounds = ports.Window.Bounds();
  bounds.Height = window.SavedHeight;
  ports.Window.SetBounds(bounds);
  ScrollToCurrent(varimo);
  ports.View.Repaint();
}

void CloseByButton(TVarimo& varimo, TPorts& ports) {
  varimo.Window.State = -varimo.Window.State;
  ports.Window.Hide();
}

void ToggleVisible(TVarimo& varimo, TPorts& ports) {
  TWindowState& window = varimo.Window;
  if (ports.Window.IsShown()) {
    if (window.State > 0) window.State = -window.State;
    ports.Window.Hide();
    return;
  }
  // The sign first, so the window paints as soon as it shows.
  const bool wasHidden = window.State < 0;
  if (wasHidden) window.State = -window.State;
  ports.Window.Show();
  if (wasHidden) ports.View.Repaint();
}

}  // namespace varimo
