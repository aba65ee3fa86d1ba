#include "window/skin_reload.h"

#include "window/skin.h"

namespace varimo {

bool ReloadSkin(bool force, std::string& skinDir, IHost& host, ISkinFiles& files, IWindow& window,
                IView& view, int32_t timerMS) {
  std::string buffer;
  const std::string returned = host.SkinRequest(buffer);
  TSkinCheck check = CheckSkinDir(force, returned, buffer, skinDir);
  if (!check.Reload) return false;
  window.StopTimer();
  skinDir = std::move(check.SkinDir);
  files.LoadSkinFiles(check.Folder);
  TWindowBounds bounds = window.Bounds();
  const TScreenSize screen = window.ScreenSize();
  const TWorkArea work = window.WorkArea();
  const TWindowOrigin origin = KeepOnScreen({bounds.Left, bounds.Top}, bounds.Width, bounds.Height,
                                            {screen.Width, screen.Height, work.Left, work.Top});
  if (origin.Left != bounds.Left || origin.Top != bounds.Top) {
    bounds.Left = origin.Left;
    bounds.Top = origin.Top;
    window.SetBounds(bounds);
  }
  view.Repaint();
  // Started whether or not it ran before: the forced load at start-up starts the monitor.
  window.StartTimer(timerMS);
  return true;
}

}  // namespace varimo
