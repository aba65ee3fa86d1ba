#include "frame/varimo.h"

#include <algorithm>

#include "common/captions.h"
#include "hotkeys/hotkeys.h"
#include "window/host_menu.h"
#include "window/snap.h"

namespace varimo {

void FormCreate(TVarimo& varimo, TPorts& ports) {
  varimo.Settings = ReadSettings(ports.Ini);
  const TSettings& settings = varimo.Settings;
  SetCaptionLanguage(ResolveLanguage(settings.Option.Language, varimo.SystemJapanese));
  TWindowState& window = varimo.Window;

  window.Minimized = settings.Winamp.Minimized;
  window.SavedHeight = settings.Window.Height;
  window.State = settings.Window.State;
  window.Remain = settings.Window.Remain;
  TWindowBounds bounds = ports.Window.Bounds();
  bounds.Left = settings.Window.Left;
  bounds.Top = settings.Window.Top;
  bounds.Width = settings.Window.Width;
  // Any other State keeps the height the window was made with.
  if (IsNormalState(window.State)) {
    ports.Window.SetHeightLimits(kNormalMinHeight, 0);
    bounds.Height = window.SavedHeight;
  } else if (IsSmallState(window.State)) {
    ports.Window.SetHeightLimits(kSmallHeight, kSmallHeight);
    bounds.Height = kSmallHeight;
  }
  ports.Window.SetBounds(bounds);

  varimo.HotKeys = LoadHotKeys(settings.HotKey);
  varimo.Album.CurrentIndex = settings.Play.No;
  varimo.Play.Mode = settings.Play.Mode;
  varimo.Play.Seed = static_cast<uint32_t>(settings.Play.Seed);

  ports.Transparency.AddLayeredStyle();
  ApplyTransparency(varimo, ports.Transparency);
}

void AttachHostWindows(TVarimo& varimo, IHost& host, const TWindowBounds& hostMainBounds) {
  THostWindows& windows = varimo.HostWindows;
  windows.Handles[kSlotMain] = host.MainWindow();
  windows.Handles[kSlotEqualizer] = host.HostWindow(kHostEqualizer);
  windows.Handles[kSlotPlaylistEditor] = host.HostWindow(kHostPlaylistEditor);
  windows.Handles[kSlotBrowser] = host.HostWindow(kHostBrowser);
  windows.Handles[kSlotVideo] = host.HostWindow(kHostVideo);
  windows.MainLeft = hostMainBounds.Left;
  windows.MainTop = hostMainBounds.Top;
}

void AttachHost(TVarimo& varimo, TPorts& ports) {
  const THostHandle hostMain = ports.Host.MainWindow();
  AttachHostWindows(varimo, ports.Host, ports.Window.WindowBounds(hostMain));
  varimo.Window.Snap = TSnapMemory();
  // The skin comes first: the window neither paints nor lays itself out without it.
  ports.View.LoadSkin(true);
  ports.View.BindPaint();
  if (varimo.HotKeys.HotKeyEnabled) {
    RegisterHotKeys(varimo.HotKeys, ports.HotKeySystem, ports.Dialogs);
  }
  // The window starts hidden, so the host's menu gets the item that brings it back.
  FormHide(varimo, ports);
}

void StartUp(TVarimo& varimo, TPorts& ports) {
  FormCreate(varimo, ports);
  LoadAlbumMemory(varimo, ports);
  AttachHost(varimo, ports);
  HoldBackUntilAlbum(varimo);
  // Settles Docked and the snap memory only; the window stays where the settings put it.
  SnapPosition(varimo, ports, false);
  ports.Hooks.Install();
  ports.Window.StartTimer(varimo.Settings.Option.TimerMS);
}

void FormClose(TVarimo& varimo, TPorts& ports) {
  // A close request (Alt+F4 among them) hides the window as its close button does. The hot
  // keys stay: nothing would register them again when the window comes back, and the
  // options dialog would then save the emptied list over the user's.
  if (varimo.Window.State > 0) varimo.Window.State = -varimo.Window.State;
  ports.Window.Hide();
}

void HoldBackUntilAlbum(TVarimo& varimo) {
  TWindowState& window = varimo.Window;
  if (window.Minimized == 0 && varimo.Settings.Option.VisibleChk && window.State > 0) {
    window.State = -window.State;
  }
}

bool FormDestroy(TVarimo& varimo, TPorts& ports) {
  TWindowState& window = varimo.Window;
  TShutDownState saved;
  saved.Delete = ExclusionString(varimo.Album.Tracks);
  RememberAlbum(varimo, ports);
  varimo.Album.Tracks.clear();
  // The window's real close: the hot keys go with it.
  UnregisterHotKeys(varimo.HotKeys, ports.HotKeySystem);
  // The host outlives the plug-in: an item left in its menu would bring back nothing.
  RemoveHostMenuItem(varimo, ports);

  const TWindowBounds bounds = ports.Window.Bounds();
  const TScreenSize screen = ports.Window.ScreenSize();
  if (window.State == kStateNormal) window.SavedHeight = bounds.Height;
  saved.Minimized = window.Minimized;
  saved.Docked = window.Docked;
  saved.Left = bounds.Left;
  saved.Top = bounds.Top;
  saved.Width = bounds.Width;
  saved.Height = bounds.Height;
  saved.SavedHeight = window.SavedHeight;
  saved.State = window.State;
  saved.Remain = window.Remain;
  saved.ScreenWidth = screen.Width;
  saved.ScreenHeight = screen.Height;
  saved.CurrentIndex = varimo.Album.CurrentIndex;
  saved.Mode = varimo.Play.Mode;
  saved.Seed = static_cast<int32_t>(varimo.Play.Seed);
  return WriteShutDownSections(ports.Ini, saved);
}

void ApplyTransparency(TVarimo& varimo, ITransparency& transparency) {
  int32_t& setting = varimo.Settings.Option.Transparence;
  if (setting == varimo.Window.AppliedTransparence) return;
  // A value beyond 100 would wrap the opacity byte round to nearly invisible.
  const int32_t percent = setting < 0 ? 100 : std::min(setting, 100);
  if (!transparency.SetOpacity(static_cast<uint8_t>(percent * 255 / 100))) setting = -1;
  varimo.Window.AppliedTransparence = setting;
}

}  // namespace varimo
